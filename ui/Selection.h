// CSelection: selects a bitmap, font, pen or brush into a device context for one scope and puts the
// previous object back at its end. It borrows both the context and the object: declare it after their
// owners so that it is undone first. Regions are not selected this way (SelectObject clips with them).
#pragma once

#include <windows.h>

class CSelection {
public:
    [[nodiscard]] CSelection(HDC dc, HGDIOBJ object);
    ~CSelection();
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

    // False when the object could not be selected (for example a bitmap selected elsewhere).
    explicit operator bool() const { return m_hPrevious != nullptr; }

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
