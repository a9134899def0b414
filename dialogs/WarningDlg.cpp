// The warning dialog: skin loading by warning number, painting, dragging and the two answers.
#include "dialogs/WarningDlg.h"

#include <windowsx.h>

#include <string>

#include "dialogs/SkinControl.h"
#include "res/resource.h"
#include "skin/AppDirectory.h"
#include "skin/PictureFile.h"
#include "skin/SkinDocuments.h"
#include "skin/SkinValue.h"
#include "ui/MemoryDC.h"
#include "ui/PaintDC.h"
#include "ui/Selection.h"

namespace {

struct ButtonItems {
    const char16_t* ok;
    const char16_t* cancel;  // null: a one-button warning
};

ButtonItems ButtonItemsFor(int32_t nWarnId) {
    switch (nWarnId) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 9:
            return {u"BUTTON_OK", u"BUTTON_CANCEL"};
        case 5:
            return {u"BUTTON_OK_2", u"BUTTON_CANCEL_2"};
        default:
            return {u"BUTTON_OK_3", nullptr};
    }
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

CWarningDlg::CWarningDlg(HWND owner, int32_t nWarnId)
    : CDialog(IDD_WARNING_DIALOG, owner), m_nWarnId(nWarnId) {}

bool CWarningDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        EndDialog(IDOK);
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CWarningDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:  // void OnPaint()
            OnPaint();
            return 0;
        case WM_CREATE:  // int OnCreate()
            return OnCreate();
        case WM_ERASEBKGND:  // OnPaint covers the whole face
            return TRUE;
        case WM_LBUTTONDOWN:  // void OnLButtonDown(POINT point)
            OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CWarningDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Commands without a source window (Enter, Escape and Close through the dialog manager) must not
    // match a button that was never created, whose handle is null too.
    const HWND source = reinterpret_cast<HWND>(lParam);
    if (source && source == m_btnOk.Handle()) {
        OnOK();
    } else if (source && source == m_btnCancel.Handle()) {
        OnCancel();
    }
    return CDialog::OnCommand(wParam, lParam);
}

int CWarningDlg::OnCreate() {
    if (Default() == -1) {
        return -1;
    }
    LoadSkin();
    SetWindowTextW(Handle(), L"Q3ZRWaning");
    return 0;
}

void CWarningDlg::OnPaint() {
    const CPaintDC paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!m_bmpBack) {
        // Without its picture the dialog keeps a plain face, so that the warning can still be answered.
        FillRect(paint.Handle(), &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const CMemoryDC picture(paint.Handle());
    const CSelection selected(picture.Handle(), m_bmpBack.Handle());
    BitBlt(paint.Handle(), client.left, client.top, client.right - client.left, client.bottom - client.top,
           picture.Handle(), 0, 0, SRCCOPY);
}

// A press on the face starts the platform's moving of the window, as a press on a caption would.
void CWarningDlg::OnLButtonDown(POINT point) {
    PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

void CWarningDlg::LoadSkin() {
    const WString group = u"WARN_" + FromUtf8(std::to_string(m_nWarnId));
    const WString normalName = GetSkinValue(g_docFrameSkin, group.c_str(), u"MAIN_NORMAL");
    const WString overName = GetSkinValue(g_docFrameSkin, group.c_str(), u"MAIN_OVER");
    const WString downName = GetSkinValue(g_docFrameSkin, group.c_str(), u"MAIN_DOWN");
    const WString folder = GetAppDirectory() + u"FrameSkins\\Warn\\";
    // Without its background picture the dialog keeps the template's size.
    SIZE size = WindowSize(Handle());
    LoadPictureFile(folder + normalName, m_bmpBack, &size);
    CBitmap over;
    CBitmap down;
    LoadPictureFile(folder + overName, over);
    LoadPictureFile(folder + downName, down);
    // At (0, 0): the modal run then centres the dialog over its owner.
    MoveWindow(Handle(), 0, 0, size.cx, size.cy, TRUE);

    const SKIN_SOURCE source{&m_bmpBack, &over, &down, &m_bmpBack, false, nullptr, 0, 0};
    const ButtonItems items = ButtonItemsFor(m_nWarnId);
    CreateSkinControl(source, m_btnOk, u"WARN_DLG", items.ok, Handle(), true, 1, 0, -1);
    if (items.cancel) {
        CreateSkinControl(source, m_btnCancel, u"WARN_DLG", items.cancel, Handle(), true, 1, 0, -1);
    }
    CreateSkinControl(source, m_btnTitle, u"WARN_DLG", u"TEXT_TITLE", Handle(), true, 1, 0, -1);
}
