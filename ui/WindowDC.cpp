// Borrowed window device contexts.
#include "ui/WindowDC.h"

#include <utility>

CWindowDC::CWindowDC(HWND window) : m_hWnd(window), m_hDC(GetDC(window)) {}

CWindowDC::~CWindowDC() {
    Release();
}

CWindowDC::CWindowDC(CWindowDC&& other) noexcept
    : m_hWnd(other.m_hWnd), m_hDC(std::exchange(other.m_hDC, nullptr)) {}

CWindowDC& CWindowDC::operator=(CWindowDC&& other) noexcept {
    if (this != &other) {
        Release();
        m_hWnd = other.m_hWnd;
        m_hDC = std::exchange(other.m_hDC, nullptr);
    }
    return *this;
}

void CWindowDC::Release() {
    if (m_hDC) {
        ReleaseDC(m_hWnd, m_hDC);
        m_hDC = nullptr;
    }
}
