// CFileHandle: owns one kernel file handle (from CreateFileW) and closes it. INVALID_HANDLE_VALUE is
// the empty state, as CreateFileW reports failure with it. Movable, not copyable.
#pragma once

#include <windows.h>

class CFileHandle {
public:
    [[nodiscard]] explicit CFileHandle(HANDLE owned) : m_hFile(owned) {}
    ~CFileHandle();
    CFileHandle(CFileHandle&& other) noexcept;
    CFileHandle& operator=(CFileHandle&& other) noexcept;
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    HANDLE Handle() const { return m_hFile; }
    explicit operator bool() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    void Close();

    HANDLE m_hFile;
};
