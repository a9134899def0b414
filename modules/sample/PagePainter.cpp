#include "PagePainter.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/Bitmap.h"
#include "ui/GdiObject.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"
#include "ui/WinString.h"

namespace {

constexpr COLORREF kPageTop = RGB(0x15, 0x19, 0x23);
constexpr COLORREF kPageBottom = RGB(0x0A, 0x0C, 0x11);
constexpr COLORREF kBand = RGB(0x0B, 0x0D, 0x13);  // header and footer
constexpr COLORREF kRule = RGB(0x22, 0x28, 0x36);
constexpr COLORREF kCard = RGB(0x1A, 0x1F, 0x2B);
constexpr COLORREF kCardEdge = RGB(0x2A, 0x31, 0x45);
constexpr COLORREF kEmblemEdge = RGB(0x00, 0x5A, 0x70);
constexpr COLORREF kEmblemFill = RGB(0x10, 0x25, 0x31);
constexpr COLORREF kDisabledText = RGB(0x45, 0x4C, 0x5C);

constexpr int kMargin = 48;
constexpr int kCardWidth = 260;
constexpr int kButtonWidth = 200;

struct ButtonColors {
    COLORREF fill;
    COLORREF edge;
    COLORREF text;
};

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &area, brush.Handle());
}

void FillVerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
    auto vertex = [](LONG x, LONG y, COLORREF color) {
        return TRIVERTEX{x,
                         y,
                         static_cast<COLOR16>(GetRValue(color) << 8),
                         static_cast<COLOR16>(GetGValue(color) << 8),
                         static_cast<COLOR16>(GetBValue(color) << 8),
                         0};
    };
    TRIVERTEX corners[] = {vertex(area.left, area.top, top), vertex(area.right, area.bottom, bottom)};
    GRADIENT_RECT span = {0, 1};
    GradientFill(dc, corners, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

void DrawRoundedBox(HDC dc, const RECT& area, int radius, COLORREF fill, COLORREF edge) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, edge));
    CSelection useBrush(dc, brush.Handle());
    CSelection usePen(dc, pen.Handle());
    RoundRect(dc, area.left, area.top, area.right, area.bottom, radius, radius);
}

void DrawPolygon(HDC dc, const POINT* points, int count, HBRUSH fill, COLORREF edge, int edgeWidth) {
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, edgeWidth, edge));
    CSelection useBrush(dc, fill ? static_cast<HGDIOBJ>(fill) : GetStockObject(NULL_BRUSH));
    CSelection usePen(dc, pen.Handle());
    Polygon(dc, points, count);
}

std::array<POINT, 6> Hexagon(POINT center, double radius) {
    std::array<POINT, 6> corners;
    for (int i = 0; i < 6; ++i) {
        const double angle = 3.14159265358979 / 3 * i + 3.14159265358979 / 6;
        corners[i] = {center.x + std::lround(radius * std::cos(angle)),
                      center.y + std::lround(radius * std::sin(angle))};
    }
    return corners;
}

void PaintEmblem(HDC dc, const RECT& area) {
    const int size = std::min(area.right - area.left, area.bottom - area.top);
    if (size < 40) {
        return;
    }
    const POINT center = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    const double radius = size / 2.0;
    const auto outer = Hexagon(center, radius);
    const auto middle = Hexagon(center, radius * 0.64);
    const auto inner = Hexagon(center, radius * 0.3);
    CGdiObject<HBRUSH> fill(CreateSolidBrush(kEmblemFill));
    DrawPolygon(dc, outer.data(), 6, nullptr, kEmblemEdge, 2);
    DrawPolygon(dc, middle.data(), 6, fill.Handle(), kEmblemEdge, 1);
    DrawPolygon(dc, inner.data(), 6, nullptr, PageColor::kAccent, 3);
}

void PaintCard(HDC dc, const RECT& card, WStringView caption, HFONT captionFont) {
    DrawRoundedBox(dc, card, 14, kCard, kCardEdge);
    FillSolid(dc, RECT{card.left, card.top + 18, card.left + 3, card.bottom - 18}, PageColor::kAccent);
    PaintText(dc, RECT{card.left + 22, card.top + 12, card.right - 16, card.top + 36}, caption, captionFont,
              PageColor::kMuted, TextAlign::kLeft);
}

void PaintBrand(HDC dc, const RECT& brand, HFONT font) {
    const int middle = (brand.top + brand.bottom) / 2;
    const POINT slant[] = {{brand.left + 6, middle - 11},
                           {brand.left + 16, middle - 11},
                           {brand.left + 10, middle + 11},
                           {brand.left, middle + 11}};
    CGdiObject<HBRUSH> accent(CreateSolidBrush(PageColor::kAccent));
    DrawPolygon(dc, slant, 4, accent.Handle(), PageColor::kAccent, 1);
    PaintText(dc, RECT{brand.left + 28, brand.top, brand.right, brand.bottom}, u"QUOR GAMING", font,
              PageColor::kText, TextAlign::kLeft);
}

ButtonColors ColorsFor(ButtonRole role, ButtonState state) {
    if (state.bDisabled) {
        return {RGB(0x13, 0x16, 0x1E), RGB(0x20, 0x25, 0x31), kDisabledText};
    }
    if (role == ButtonRole::kClose) {
        if (state.bPressed) {
            return {RGB(0xB0, 0x30, 0x35), RGB(0xE5, 0x48, 0x4D), PageColor::kText};
        }
        return state.bHot ? ButtonColors{RGB(0xE5, 0x48, 0x4D), RGB(0xE5, 0x48, 0x4D), PageColor::kText}
                          : ButtonColors{kBand, state.bFocused ? PageColor::kAccent : RGB(0x33, 0x3C, 0x55),
                                         PageColor::kMuted};
    }
    if (state.bPressed) {
        return {RGB(0x00, 0x8F, 0xB0), PageColor::kAccent, RGB(0xFF, 0xFF, 0xFF)};
    }
    if (state.bHot || state.bFocused) {
        return {RGB(0x24, 0x2D, 0x44), PageColor::kAccent, PageColor::kText};
    }
    return {RGB(0x1E, 0x24, 0x33), RGB(0x33, 0x3C, 0x55), PageColor::kText};
}

// A small solid triangle pointing left or right, centred on the point.
void PaintArrow(HDC dc, POINT center, bool bPointsLeft, COLORREF color) {
    const int tip = bPointsLeft ? -5 : 5;
    const POINT corners[] = {
        {center.x + tip, center.y}, {center.x - tip, center.y - 7}, {center.x - tip, center.y + 7}};
    CGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    DrawPolygon(dc, corners, 3, brush.Handle(), color, 1);
}

}  // namespace

PageLayout LayOutPage(int width, int height) {
    PageLayout layout;
    layout.header = {0, 0, width, 64};
    layout.brand = {32, 0, 360, 64};
    layout.close = {width - 32 - 110, 14, width - 32, 50};
    layout.deviceCaption = {kMargin, 92, width - kMargin, 114};
    layout.deviceName = {kMargin, 114, width - 320, 176};
    layout.typeCard = {kMargin, 214, kMargin + kCardWidth, 310};
    layout.firmwareCard = {kMargin + kCardWidth + 24, 214, kMargin + 2 * kCardWidth + 24, 310};
    auto valueIn = [](const RECT& card) {
        return RECT{card.left + 22, card.top + 40, card.right - 16, card.bottom - 14};
    };
    layout.typeValue = valueIn(layout.typeCard);
    layout.firmwareValue = valueIn(layout.firmwareCard);
    layout.emblem = {width - 290, 92, width - kMargin, 334};
    layout.hint = {kMargin, height - 150, width - kMargin, height - 126};
    layout.footer = {0, height - 110, width, height};
    layout.previous = {kMargin, height - 86, kMargin + kButtonWidth, height - 40};
    layout.next = {width - kMargin - kButtonWidth, height - 86, width - kMargin, height - 40};
    layout.previousName = {layout.previous.left, height - 36, layout.previous.right, height - 12};
    layout.nextName = {layout.next.left, height - 36, layout.next.right, height - 12};
    return layout;
}

PageFonts PageFonts::Create() {
    auto font = [](int pixels, int weight) {
        return CFont(CreateFontW(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
    };
    return PageFonts{font(18, FW_BOLD), font(12, FW_BOLD), font(40, FW_SEMIBOLD), font(22, FW_NORMAL),
                     font(15, FW_SEMIBOLD)};
}

void PaintBuffered(HDC target, POINT targetOrigin, const RECT& pageArea,
                   const std::function<void(HDC)>& paint) {
    const int width = pageArea.right - pageArea.left;
    const int height = pageArea.bottom - pageArea.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    CMemoryDC buffer(target);
    CBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    CSelection useBitmap(buffer.Handle(), bitmap.Handle());
    if (!useBitmap) {
        return;
    }
    SetViewportOrgEx(buffer.Handle(), -pageArea.left, -pageArea.top, nullptr);
    paint(buffer.Handle());
    BitBlt(target, targetOrigin.x, targetOrigin.y, width, height, buffer.Handle(), pageArea.left,
           pageArea.top, SRCCOPY);
}

void PaintBackground(HDC dc, const RECT& page, const PageLayout& layout, const PageFonts& fonts) {
    FillVerticalGradient(dc, page, kPageTop, kPageBottom);
    FillSolid(dc, layout.header, kBand);
    FillSolid(dc, RECT{page.left, layout.header.bottom - 1, page.right, layout.header.bottom}, kRule);
    PaintBrand(dc, layout.brand, fonts.brand.Handle());
    PaintEmblem(dc, layout.emblem);
    PaintText(dc, layout.deviceCaption, u"DEVICE", fonts.caption.Handle(), PageColor::kAccent,
              TextAlign::kLeft);
    FillSolid(dc,
              RECT{layout.deviceName.left, layout.deviceName.bottom + 10, layout.deviceName.left + 96,
                   layout.deviceName.bottom + 13},
              PageColor::kAccent);
    PaintCard(dc, layout.typeCard, u"TYPE", fonts.caption.Handle());
    PaintCard(dc, layout.firmwareCard, u"FIRMWARE", fonts.caption.Handle());
    PaintText(dc, layout.hint, u"The left and right arrow keys step through your plugged devices.",
              fonts.caption.Handle(), PageColor::kMuted, TextAlign::kLeft);
    FillSolid(dc, layout.footer, kBand);
    FillSolid(dc, RECT{page.left, layout.footer.top, page.right, layout.footer.top + 1}, kRule);
}

void PaintText(HDC dc, const RECT& area, WStringView text, HFONT font, COLORREF color, TextAlign align) {
    CSelection useFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    const UINT alignment = align == TextAlign::kLeft     ? DT_LEFT
                           : align == TextAlign::kCenter ? DT_CENTER
                                                         : DT_RIGHT;
    RECT bounds = area;
    const WString copy(text);
    DrawTextW(dc, WinStr(copy), static_cast<int>(copy.size()), &bounds,
              alignment | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintButton(HDC dc, const RECT& area, WStringView text, HFONT font, ButtonRole role, ButtonState state) {
    const ButtonColors colors = ColorsFor(role, state);
    DrawRoundedBox(dc, area, 12, colors.fill, colors.edge);
    const int middle = (area.top + area.bottom) / 2;
    RECT label = area;
    if (role == ButtonRole::kPrevious) {
        PaintArrow(dc, POINT{area.left + 26, middle}, true,
                   state.bDisabled ? kDisabledText : PageColor::kAccent);
        label.left += 20;
    } else if (role == ButtonRole::kNext) {
        PaintArrow(dc, POINT{area.right - 26, middle}, false,
                   state.bDisabled ? kDisabledText : PageColor::kAccent);
        label.right -= 20;
    }
    PaintText(dc, label, text, font, colors.text, TextAlign::kCenter);
}
