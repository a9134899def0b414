// Skinned controls from their skin values.
#include "dialogs/SkinControl.h"

#include <algorithm>
#include <climits>

#include "skin/ControlLayout.h"
#include "skin/SkinDocuments.h"
#include "skin/SkinValue.h"

namespace {

LONG SaturatedSum(int64_t a, int64_t b) {
    return static_cast<LONG>(std::clamp<int64_t>(a + b, LONG_MIN, LONG_MAX));
}

RECT Shifted(const LayoutRect& rect, int32_t dx, int32_t dy) {
    return {SaturatedSum(rect.left, dx), SaturatedSum(rect.top, dy), SaturatedSum(rect.right, dx),
            SaturatedSum(rect.bottom, dy)};
}

LayoutRect AtOrigin(const LayoutRect& rect) {
    const auto extent = [](int32_t from, int32_t to) {
        return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(to) - from, 0, INT32_MAX));
    };
    return {0, 0, extent(rect.left, rect.right), extent(rect.top, rect.bottom)};
}

const CBitmap& OrNone(const CBitmap* picture) {
    static const CBitmap none;
    return picture ? *picture : none;
}

}  // namespace

void CreateSkinControl(const SKIN_SOURCE& src, CBitmapBtn& ctrl, const char16_t* group, const char16_t* item,
                       HWND pParent, bool bWithText, int32_t nAlign, int32_t nTextIndent,
                       int32_t nFontHeight) {
    CXmlDocument& layoutDoc = src.pLayoutDoc ? *src.pLayoutDoc : g_docButtonLayout;
    ControlLayout layout;
    ParseControlLayout(GetSkinValue(layoutDoc, group, item), layout);
    const RECT window = Shifted(layout.rcControl, src.nOffsetX, src.nOffsetY);
    if (!ctrl.Create(WString(), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, window, pParent, 0)) {
        return;
    }
    const RECT cut =
        Shifted(src.bPerControl ? AtOrigin(layout.rcControl) : layout.rcControl, src.nOffsetX, src.nOffsetY);
    ctrl.SetSkinImages(OrNone(src.pNormal), OrNone(src.pOver), OrNone(src.pDown), OrNone(src.pDisabled), cut);
    ctrl.m_bToggle = layout.bToggle;
    ctrl.SetToolTipText(layout.strToolTip);
    if (bWithText) {
        ctrl.SetText(GetSkinValue(g_docStrings, group, item), true, nTextIndent);
    }
    ctrl.m_nAlign = nAlign;
    if (nFontHeight != -1) {
        ctrl.m_nFontHeight = nFontHeight;
    }
}
