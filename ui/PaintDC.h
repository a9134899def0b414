// CPaintDC: the BeginPaint/EndPaint bracket of one WM_PAINT, as a scope object. It is bound to the
// message being handled, so it can be neither copied nor moved.
#pragma once

#include <windows.h>

class CPaintDC {
public:
    [[nodiscard]] explicit CPaintDC(HWND window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Handle() const { return m_hDC; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC;
};
