// Dialog creation from templates, the modal run and its end, and centring.
#include "ui/Dialog.h"

#include <algorithm>

namespace {

// Every message reaches CDialog::WindowProc before the dialog manager's default processing, so the
// dialog manager needs no dialog procedure of ours.
INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) noexcept {
    return FALSE;
}

// Offers the message to the window it is for and then to each parent up to the top-level window.
bool PreTranslateTree(MSG& msg) {
    for (HWND window = msg.hwnd; window; window = GetParent(window)) {
        CWnd* wnd = CWnd::FromHandle(window);
        if (wnd && wnd->PreTranslateMessage(msg)) {
            return true;
        }
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
            break;
        }
    }
    return false;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool SamePosition(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top;
}

RECT WorkAreaNear(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

bool CanCenterOver(HWND window) {
    return window && window != GetDesktopWindow() && IsWindowVisible(window) && !IsIconic(window);
}

// The start of a span of length `size` centred on [from, to), moved back inside [low, high).
LONG CenteredStart(LONG from, LONG to, LONG size, LONG low, LONG high) {
    const LONG start = from + (to - from - size) / 2;
    return std::max(low, std::min(start, high - size));
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, HWND owner) : m_nIDTemplate(nIDTemplate), m_hWndOwner(owner) {}

int CDialog::DoModal() {
    m_bEnded = false;
    m_nModalResult = -1;
    if (!Create()) {
        return -1;
    }
    // The owner of a dialog is always a top-level window, whatever window was given.
    const HWND owner = GetWindow(Handle(), GW_OWNER);
    const bool ownerDisabledHere = owner && IsWindowEnabled(owner);
    if (ownerDisabledHere) {
        EnableWindow(owner, FALSE);
    }
    if (!m_bEnded) {
        ShowWindow(Handle(), SW_SHOWNORMAL);
        RunModalLoop();
    }
    // Hidden and owner enabled before the window goes, so that activation returns to the owner.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (ownerDisabledHere) {
        EnableWindow(owner, TRUE);
    }
    if (owner && GetActiveWindow() == Handle()) {
        SetActiveWindow(owner);
    }
    DestroyWindow(Handle());
    OnBetweenMessages();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEnded = true;
    // A loop waiting in GetMessage would not look at the flag before the next message.
    if (Handle()) {
        PostMessageW(Handle(), WM_NULL, 0, 0);
    }
}

void CDialog::CenterWindow(HWND alternate) {
    const HWND over = alternate ? alternate : GetWindow(Handle(), GW_OWNER);
    const RECT area = WorkAreaNear(CanCenterOver(over) ? over : Handle());
    const RECT target = CanCenterOver(over) ? WindowRect(over) : area;
    const RECT self = WindowRect(Handle());
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    const LONG left = CenteredStart(target.left, target.right, width, area.left, area.right);
    const LONG top = CenteredStart(target.top, target.bottom, height, area.top, area.bottom);
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:  // bool OnInitDialog()
            return HandleInitDialog();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDOK:
                OnOK();
                return true;
            case IDCANCEL:
                OnCancel();
                return true;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

bool CDialog::OnInitDialog() {
    return true;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::Create() {
    AttachOnCreate attach(*this);
    const HWND created = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                                            m_hWndOwner, NoDialogProc, 0);
    return created && created == Handle();
}

// A hidden dialog that OnInitDialog did not move, and whose template asks for no centring of its own,
// is centred over its owner.
bool CDialog::HandleInitDialog() {
    const RECT before = WindowRect(Handle());
    const bool focusFirstControl = OnInitDialog();
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    const bool placedElsewhere = (style & (WS_VISIBLE | WS_CHILD | DS_CENTER | DS_CENTERMOUSE)) ||
                                 !SamePosition(before, WindowRect(Handle()));
    if (!placedElsewhere) {
        CenterWindow();
    }
    return focusFirstControl;
}

void CDialog::RunModalLoop() {
    MSG msg{};
    while (!m_bEnded) {
        OnBetweenMessages();
        if (m_bEnded) {
            break;
        }
        // A window destroyed by someone else ends the run as a close would.
        if (!Handle()) {
            EndDialog(IDCANCEL);
            break;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The thread is asked to quit: leave that to the outer loop, and answer as Cancel would.
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            EndDialog(IDCANCEL);
            break;
        }
        if (!PreTranslateTree(msg) && !IsDialogMessageW(Handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
