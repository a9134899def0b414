// CMemoryDC: owns a memory device context made compatible with another one (the screen for null) and
// deletes it. Select objects into it through CSelection, declared after the CMemoryDC, so that every
// selection is undone before the context goes.
#pragma once

#include <windows.h>

class CMemoryDC {
public:
    [[nodiscard]] explicit CMemoryDC(HDC compatibleWith);
    ~CMemoryDC();
    CMemoryDC(CMemoryDC&& other) noexcept;
    CMemoryDC& operator=(CMemoryDC&& other) noexcept;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Handle() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

private:
    HDC m_hDC;
};
