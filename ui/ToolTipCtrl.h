// CToolTipCtrl: a comctl32 tooltip window attached to an object (see CWnd). Its tools are rectangles
// of other windows; the tooltip learns of the mouse only through RelayEvent. The tooltip is owned by
// the top-level window of its parent and goes with it at the latest.
#pragma once

#include <windows.h>

#include "ui/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    bool Create(HWND parent, DWORD style);

    void Activate(bool bActivate);
    int GetToolCount() const;
    // A tool for the rectangle of the window (in its client coordinates), known by window and id.
    bool AddTool(HWND window, const WString& text, const RECT& rect, UINT_PTR id);
    void UpdateTipText(const WString& text, HWND window, UINT_PTR id);
    // Lets the tooltip see a mouse message meant for one of its tools' windows.
    void RelayEvent(const MSG& msg);
};
