// CDialog: a dialog made from a dialog template resource of the executable, run modally by its own
// message loop. The object is attached before the window's first message, so WM_CREATE reaches the
// derived class as well as WM_INITDIALOG (OnInitDialog). The owner is borrowed: disabled while the
// dialog runs and enabled again before the dialog's window is destroyed.
#pragma once

#include <windows.h>

#include "ui/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT nIDTemplate, HWND owner);

    // Creates the dialog, centres it over its owner unless OnInitDialog placed it, shows it and runs
    // its message loop until EndDialog. Returns EndDialog's result, or -1 when the dialog cannot be
    // created. The window is destroyed before DoModal returns.
    int DoModal();
    // Ends the modal run with the result. The window stays until the loop has returned, so the code
    // that asked for the end never runs inside a destroyed window.
    void EndDialog(int nResult);

    // Centres the window over the given window, or over its owner when that is null, or over the work
    // area when neither is a visible window; keeps it inside the work area.
    void CenterWindow(HWND alternate = nullptr);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // BN_CLICKED of IDOK and IDCANCEL (also sent by the dialog manager for Enter, Escape and Close).
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    // True lets the dialog manager give the focus to the first control.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Called by the modal run whenever none of the dialog's message handlers is running: before each
    // wait for the next message, and once more after the window has been destroyed. Work that must
    // not happen inside a handler (releasing code that may still be on the stack) waits for it.
    virtual void OnBetweenMessages() {}

private:
    bool Create();
    bool HandleInitDialog();
    void RunModalLoop();

    UINT m_nIDTemplate;
    HWND m_hWndOwner;
    int m_nModalResult = -1;
    bool m_bEnded = false;
};
