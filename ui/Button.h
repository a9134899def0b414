// CButton: a platform button window attached to an object (see CWnd). Its owner-drawn face is drawn by
// the derived class's DrawItem, which the parent's WM_DRAWITEM reaches by reflection.
#pragma once

#include <windows.h>

#include "ui/Wnd.h"

class CButton : public CWnd {
public:
    // A button of the platform's BUTTON class; id is the control id its notifications carry.
    bool Create(const WString& caption, DWORD style, const RECT& rect, HWND parent, UINT id);

protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

private:
    bool DrawReflectedItem(const DRAWITEMSTRUCT& item) final;
};
