// Tooltips of comctl32. The executable's manifest asks for comctl32 version 6, whose TTTOOLINFOW this
// code is compiled with; older versions refuse its size.
#include "ui/ToolTipCtrl.h"

#include <commctrl.h>

#include "ui/WinString.h"

namespace {

void RegisterToolTipClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    static_cast<void>(registered);
}

TTTOOLINFOW ToolInfo(HWND window, UINT_PTR id, const WString& text) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.uId = id;
    // The tooltip copies the text; it never writes through this pointer.
    info.lpszText = const_cast<wchar_t*>(WinStr(text));
    return info;
}

}  // namespace

bool CToolTipCtrl::Create(HWND parent, DWORD style) {
    RegisterToolTipClass();
    // The tooltip places and sizes itself whenever it shows.
    return CreateEx(0, TOOLTIPS_CLASSW, WString(), WS_POPUP | style, RECT{}, parent, 0);
}

void CToolTipCtrl::Activate(bool bActivate) {
    SendMessageW(Handle(), TTM_ACTIVATE, bActivate, 0);
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessageW(Handle(), TTM_GETTOOLCOUNT, 0, 0));
}

bool CToolTipCtrl::AddTool(HWND window, const WString& text, const RECT& rect, UINT_PTR id) {
    TTTOOLINFOW info = ToolInfo(window, id, text);
    info.rect = rect;
    return SendMessageW(Handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const WString& text, HWND window, UINT_PTR id) {
    TTTOOLINFOW info = ToolInfo(window, id, text);
    SendMessageW(Handle(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(const MSG& msg) {
    SendMessageW(Handle(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}
