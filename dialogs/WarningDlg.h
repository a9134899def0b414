// CWarningDlg: the skinned modal warning box. A warning number selects its pictures (group "WARN_<n>"
// of the frame skin document) and its buttons (one or two, plus the title line); everything it shows
// comes from the skin and strings files. The dialog owns its background picture and its three buttons;
// the documents belong to the process. Needs dialog template 134 (res/) in the executable.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/BitmapBtn.h"
#include "ui/Bitmap.h"
#include "ui/Dialog.h"

class CWarningDlg : public CDialog {
public:
    // Nothing is loaded before DoModal creates the window.
    CWarningDlg(HWND owner, int32_t nWarnId);

    // Enter ends the dialog with IDOK, whichever of its windows has the focus.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The first button ends with IDOK and the second with IDCANCEL, whatever command they send.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int OnCreate();
    void OnPaint();
    void OnLButtonDown(POINT point);
    void LoadSkin();

    int32_t m_nWarnId;
    CBitmap m_bmpBack;
    CBitmapBtn m_btnOk;
    CBitmapBtn m_btnCancel;
    CBitmapBtn m_btnTitle;
};
