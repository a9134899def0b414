// CBitmapBtn: the skinned owner-drawn button. Its face is one of four state pictures cut out of
// whole-window skin pictures, with an optional caption in the font of the strings file; it tracks the
// mouse itself for its hover picture, shows a tooltip, can be a two-state (toggle) button, and tells its
// parent of presses. The button owns its four pictures and its tooltip; the fields are public because
// the code that creates a button sets them directly.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/Bitmap.h"
#include "ui/Button.h"
#include "ui/ToolTipCtrl.h"
#include "xml/WideString.h"

// Posted to the parent on every left press (both parameters 0).
constexpr UINT WM_SKINBTN_PRESSED = 1252;
// wParam of the WM_COMMAND a toggle button sends when its left release flips it.
constexpr WPARAM ID_TOGGLED = 23;
// High word of the WM_COMMAND a right press sends (the control id is in the low word).
constexpr WORD kRightPressCode = 0xFF;

class CBitmapBtn : public CButton {
public:
    // Cuts the four state pictures out of the sources at the rectangle (a source without a picture
    // leaves that state's picture as it was) and drops WS_BORDER and WS_TABSTOP.
    void SetSkinImages(const CBitmap& normal, const CBitmap& over, const CBitmap& down,
                       const CBitmap& disabled, const RECT& cut);
    // One tool over the button's client area, with this text (also an empty one).
    void SetToolTipText(const WString& text);
    // Changes the caption and its indent; only when the text or the indent differs is anything stored
    // (the indent side included) and the button redrawn.
    void SetText(const WString& text, bool bIndentLeft, int32_t nIndent);

    bool PreTranslateMessage(MSG& msg) override;

    CToolTipCtrl m_toolTip;
    bool m_bChecked = false;  // toggle buttons: flipped by each left release
    bool m_bToggle = false;
    bool m_bHover = false;
    CBitmap m_bmpNormal;
    CBitmap m_bmpOver;
    CBitmap m_bmpDown;  // pressed, and checked
    CBitmap m_bmpDisabled;
    int32_t m_nAlign = 1;  // caption: 0 left, 1 centred, anything else right
    WString m_strText;
    WString m_strFontFace;  // empty: the platform chooses a face of the Swiss family
    int32_t m_nFontHeight = 14;
    int32_t m_nFontWeight = 500;
    int32_t m_nTextIndent = 0;
    bool m_bIndentLeft = true;  // the indent moves the caption's left edge, else its right edge
    COLORREF m_clrText = RGB(255, 255, 255);
    COLORREF m_clrTextActive = RGB(255, 255, 255);  // hover, pressed and checked
    COLORREF m_clrTextDisabled = RGB(128, 128, 128);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    // What one state looks like: its picture (null: none) and its caption colour.
    struct StateLook {
        const CBitmap* picture;
        COLORREF textColor;
        bool sunken;  // pressed, or checked
        bool disabled;
    };

    int OnCreate();
    void OnKillFocus();
    void OnMouseMove(UINT keys, POINT point);
    void OnCaptureChanged();
    void OnLButtonDown();
    void OnLButtonUp();
    void OnRButtonDown();

    StateLook ChooseLook(UINT itemState) const;
    void PaintFace(HDC canvas, const RECT& client, const StateLook& look) const;
    void DrawCaption(HDC canvas, const RECT& client, COLORREF color) const;
    void LeaveCheck(UINT keys, POINT point);
    void EnsureToolTip();
    HWND OwnerWindow() const;
};
