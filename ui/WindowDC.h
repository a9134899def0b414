// CWindowDC: borrows the device context of a window's client area (GetDC; the whole screen for a null
// window) and releases it. Movable, not copyable.
#pragma once

#include <windows.h>

class CWindowDC {
public:
    [[nodiscard]] explicit CWindowDC(HWND window);
    ~CWindowDC();
    CWindowDC(CWindowDC&& other) noexcept;
    CWindowDC& operator=(CWindowDC&& other) noexcept;
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Handle() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

private:
    void Release();

    HWND m_hWnd;
    HDC m_hDC;
};
