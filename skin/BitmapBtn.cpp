// The skinned button: state pictures, caption, hover tracking, presses and tooltip.
#include "skin/BitmapBtn.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>

#include "skin/Dib32.h"
#include "skin/StringsDocument.h"
#include "ui/Font.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"
#include "ui/WinString.h"
#include "ui/WindowDC.h"

namespace {

constexpr UINT_PTR kToolId = 1;

LONG Saturated(int64_t value) {
    return static_cast<LONG>(std::clamp<int64_t>(value, LONG_MIN, LONG_MAX));
}

RECT CaptionRect(const RECT& client, bool indentLeft, int32_t indent) {
    RECT caption = client;
    if (indentLeft) {
        caption.left = Saturated(static_cast<int64_t>(client.left) + indent);
    } else {
        caption.right = Saturated(static_cast<int64_t>(client.right) - indent);
    }
    return caption;
}

// DT_NOPREFIX: a caption shows its "&" as written; it is text from the strings file, not a mnemonic.
UINT CaptionFormat(int32_t align) {
    const UINT always = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    return always | (align == 1 ? DT_CENTER : align == 0 ? DT_LEFT : DT_RIGHT);
}

void RemoveStyle(HWND window, LONG_PTR style) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~style);
}

void Invalidate(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

void CBitmapBtn::SetSkinImages(const CBitmap& normal, const CBitmap& over, const CBitmap& down,
                               const CBitmap& disabled, const RECT& cut) {
    const CWindowDC reference(Handle());
    CopyBitmapRect(m_bmpNormal, reference.Handle(), normal, cut);
    CopyBitmapRect(m_bmpOver, reference.Handle(), over, cut);
    CopyBitmapRect(m_bmpDown, reference.Handle(), down, cut);
    CopyBitmapRect(m_bmpDisabled, reference.Handle(), disabled, cut);
    RemoveStyle(Handle(), WS_BORDER | WS_TABSTOP);
}

void CBitmapBtn::SetToolTipText(const WString& text) {
    EnsureToolTip();
    if (m_toolTip.GetToolCount() == 0) {
        RECT client{};
        GetClientRect(Handle(), &client);
        m_toolTip.AddTool(Handle(), text, client, kToolId);
    }
    m_toolTip.UpdateTipText(text, Handle(), kToolId);
    m_toolTip.Activate(true);
}

void CBitmapBtn::SetText(const WString& text, bool bIndentLeft, int32_t nIndent) {
    if (text == m_strText && nIndent == m_nTextIndent) {
        return;
    }
    m_strText = text;
    m_bIndentLeft = bIndentLeft;
    m_nTextIndent = nIndent;
    Invalidate(Handle());
}

bool CBitmapBtn::PreTranslateMessage(MSG& msg) {
    EnsureToolTip();
    m_toolTip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

void CBitmapBtn::PreSubclassWindow() {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SendMessageW(Handle(), BM_SETSTYLE, (style & 0xFFFF) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
    RemoveStyle(Handle(), WS_TABSTOP);
    // Buttons of the class draw through their parent's device context (CS_PARENTDC), which is not
    // clipped to the button, and an owner-drawn face would spill over its neighbours. The class style
    // belongs to the process's one BUTTON class: every button of the process, the page modules' own
    // buttons among them, draws with its own device context from now on. That is intended.
    SetClassLongPtrW(Handle(), GCL_STYLE, GetClassLongPtrW(Handle(), GCL_STYLE) & ~CS_PARENTDC);
}

LRESULT CBitmapBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KILLFOCUS:  // void OnKillFocus()
            OnKillFocus();
            return 0;
        case WM_MOUSEMOVE:  // void OnMouseMove(UINT keys, POINT point)
            OnMouseMove(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_CAPTURECHANGED:  // void OnCaptureChanged()
            OnCaptureChanged();
            return 0;
        case WM_ERASEBKGND:  // the face covers the whole button
            return 0;
        case WM_LBUTTONDOWN:  // void OnLButtonDown()
            OnLButtonDown();
            return 0;
        case WM_LBUTTONUP:  // void OnLButtonUp()
            OnLButtonUp();
            return 0;
        case WM_RBUTTONDOWN:  // void OnRButtonDown()
            OnRButtonDown();
            return 0;
        case WM_KEYDOWN:  // keys never press a skinned button
        case WM_KEYUP:
            return 0;
        case WM_CREATE:  // int OnCreate()
            return OnCreate();
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CBitmapBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Composed off screen and copied in one piece, so that no half-drawn face is ever seen.
    CMemoryDC canvas(item.hDC);
    CBitmap surface(CreateCompatibleBitmap(item.hDC, width, height));
    CSelection selected(canvas.Handle(), surface.Handle());
    if (!selected) {
        return;
    }
    const StateLook look = ChooseLook(item.itemState);
    PaintFace(canvas.Handle(), client, look);
    if (!m_strText.empty()) {
        DrawCaption(canvas.Handle(), client, look.textColor);
    }
    BitBlt(item.hDC, 0, 0, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

int CBitmapBtn::OnCreate() {
    if (Default() == -1) {
        return -1;
    }
    ApplyStringsFontSettings(m_strFontFace, m_nFontHeight);
    return 0;
}

void CBitmapBtn::OnKillFocus() {
    Default();
    // No repaint: the next mouse move over the button shows the hover picture again.
    m_bHover = false;
}

void CBitmapBtn::OnMouseMove(UINT keys, POINT point) {
    Default();
    if ((keys & MK_LBUTTON) && !m_bHover) {
        return;
    }
    if (GetCapture() != Handle() && GetActiveWindow() && OwnerWindow()) {
        m_bHover = true;
        // The capture brings the move that leaves the button, wherever it goes.
        SetCapture(Handle());
        Invalidate(Handle());
    } else {
        LeaveCheck(keys, point);
    }
    POINT screen = point;
    ClientToScreen(Handle(), &screen);
    PostMessageW(GetParent(Handle()), WM_MOUSEMOVE, keys, MAKELPARAM(screen.x, screen.y));
}

void CBitmapBtn::OnCaptureChanged() {
    if (m_bHover) {
        ReleaseCapture();
    }
    Default();
}

void CBitmapBtn::OnLButtonDown() {
    const HWND owner = OwnerWindow();
    if (owner != GetActiveWindow()) {
        SetFocus(owner);
    }
    Default();
    PostMessageW(GetParent(Handle()), WM_SKINBTN_PRESSED, 0, 0);
}

void CBitmapBtn::OnLButtonUp() {
    if (!m_bToggle) {
        Default();
        return;
    }
    m_bChecked = !m_bChecked;
    Invalidate(Handle());
    SendMessageW(GetParent(Handle()), WM_COMMAND, ID_TOGGLED, reinterpret_cast<LPARAM>(Handle()));
}

void CBitmapBtn::OnRButtonDown() {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(Handle()));
    SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(id, kRightPressCode),
                 reinterpret_cast<LPARAM>(Handle()));
    Default();
}

// The state table: toggle buttons show only disabled, checked or normal; push buttons show pressed
// before hover before disabled. A state without a picture shows the normal picture; a button with no
// picture at all is drawn as a plain platform button with the platform's text colours.
CBitmapBtn::StateLook CBitmapBtn::ChooseLook(UINT itemState) const {
    const bool disabled = itemState & ODS_DISABLED;
    const bool pressed = itemState & ODS_SELECTED;
    StateLook look{&m_bmpNormal, m_clrText, false, disabled};
    if (m_bToggle) {
        if (disabled) {
            look = {&m_bmpDisabled, m_clrTextDisabled, m_bChecked, true};
        } else if (m_bChecked) {
            look = {&m_bmpDown, m_clrTextActive, true, false};
        }
    } else if (pressed) {
        look = {&m_bmpDown, m_clrTextActive, true, disabled};
    } else if (m_bHover) {
        look = {&m_bmpOver, m_clrTextActive, false, disabled};
    } else if (disabled) {
        look = {&m_bmpDisabled, m_clrTextDisabled, false, true};
    }
    if (!*look.picture) {
        look.picture = &m_bmpNormal;
    }
    if (!*look.picture) {
        look.picture = nullptr;
        look.textColor = GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    }
    return look;
}

void CBitmapBtn::PaintFace(HDC canvas, const RECT& client, const StateLook& look) const {
    if (!look.picture) {
        RECT face = client;
        const UINT state =
            DFCS_BUTTONPUSH | (look.sunken ? DFCS_PUSHED : 0) | (look.disabled ? DFCS_INACTIVE : 0);
        DrawFrameControl(canvas, &face, DFC_BUTTON, state);
        return;
    }
    CMemoryDC source(canvas);
    CSelection selected(source.Handle(), look.picture->Handle());
    BitBlt(canvas, 0, 0, client.right - client.left, client.bottom - client.top, source.Handle(), 0, 0,
           SRCCOPY);
}

void CBitmapBtn::DrawCaption(HDC canvas, const RECT& client, COLORREF color) const {
    SetBkMode(canvas, TRANSPARENT);
    SetTextColor(canvas, color);
    const CFont font(CreateFontW(m_nFontHeight, 0, 0, 0, m_nFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 FF_SWISS | DEFAULT_PITCH, WinStr(m_strFontFace)));
    const CSelection selected(canvas, font.Handle());
    RECT caption = CaptionRect(client, m_bIndentLeft, m_nTextIndent);
    const int length = static_cast<int>(std::min<size_t>(m_strText.size(), INT_MAX));
    DrawTextW(canvas, WinStr(m_strText), length, &caption, CaptionFormat(m_nAlign));
}

// Called for a move while the button holds the capture: the pointer may have left it.
void CBitmapBtn::LeaveCheck(UINT keys, POINT point) {
    POINT screen = point;
    ClientToScreen(Handle(), &screen);
    const HWND under = WindowFromPoint(screen);
    if (!under || under == Handle()) {
        return;
    }
    if (m_bHover) {
        m_bHover = false;
        Invalidate(Handle());
    }
    // With the left button held the platform button keeps the capture for its release.
    if (!(keys & MK_LBUTTON)) {
        ReleaseCapture();
    }
}

void CBitmapBtn::EnsureToolTip() {
    if (!m_toolTip.Handle() && Handle() && m_toolTip.Create(Handle(), 0)) {
        m_toolTip.Activate(false);
    }
}

HWND CBitmapBtn::OwnerWindow() const {
    const HWND owner = GetWindow(Handle(), GW_OWNER);
    return owner ? owner : GetParent(Handle());
}
