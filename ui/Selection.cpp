// Scoped selections into device contexts.
#include "ui/Selection.h"

CSelection::CSelection(HDC dc, HGDIOBJ object)
    : m_hDC(dc), m_hPrevious(dc && object ? SelectObject(dc, object) : nullptr) {
    if (m_hPrevious == HGDI_ERROR) {
        m_hPrevious = nullptr;
    }
}

CSelection::~CSelection() {
    if (m_hPrevious) {
        SelectObject(m_hDC, m_hPrevious);
    }
}
