// Memory device contexts.
#include "ui/MemoryDC.h"

#include <utility>

CMemoryDC::CMemoryDC(HDC compatibleWith) : m_hDC(CreateCompatibleDC(compatibleWith)) {}

CMemoryDC::~CMemoryDC() {
    if (m_hDC) {
        DeleteDC(m_hDC);
    }
}

CMemoryDC::CMemoryDC(CMemoryDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}

CMemoryDC& CMemoryDC::operator=(CMemoryDC&& other) noexcept {
    if (this != &other) {
        if (m_hDC) {
            DeleteDC(m_hDC);
        }
        m_hDC = std::exchange(other.m_hDC, nullptr);
    }
    return *this;
}
