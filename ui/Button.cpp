// Platform buttons with reflected owner drawing.
#include "ui/Button.h"

bool CButton::Create(const WString& caption, DWORD style, const RECT& rect, HWND parent, UINT id) {
    return CreateEx(0, L"BUTTON", caption, style, rect, parent, id);
}

bool CButton::DrawReflectedItem(const DRAWITEMSTRUCT& item) {
    DrawItem(item);
    return true;
}
