// Kernel file handles.
#include "ui/FileHandle.h"

#include <utility>

CFileHandle::~CFileHandle() {
    Close();
}

CFileHandle::CFileHandle(CFileHandle&& other) noexcept
    : m_hFile(std::exchange(other.m_hFile, INVALID_HANDLE_VALUE)) {}

CFileHandle& CFileHandle::operator=(CFileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        m_hFile = std::exchange(other.m_hFile, INVALID_HANDLE_VALUE);
    }
    return *this;
}

void CFileHandle::Close() {
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}
