// The look of the sample page: where everything lies for a given page size, the fonts, and the painting
// of the background, the texts and the buttons. Everything is painted in page coordinates, so that a
// child control can paint the background behind itself and look transparent.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/Font.h"
#include "xml/WideString.h"

struct PageLayout {
    RECT header;
    RECT brand;  // "QUOR GAMING" in the header
    RECT close;
    RECT deviceCaption;  // "DEVICE" above the name
    RECT deviceName;
    RECT typeCard;
    RECT typeValue;
    RECT firmwareCard;
    RECT firmwareValue;
    RECT emblem;  // the decorative hexagons
    RECT hint;    // the keyboard hint above the footer
    RECT footer;
    RECT previous;
    RECT next;
    RECT previousName;
    RECT nextName;
};

PageLayout LayOutPage(int width, int height);

struct PageFonts {
    CFont brand;
    CFont caption;  // small capitals above values, neighbour names
    CFont title;    // the device's name
    CFont value;
    CFont button;

    static PageFonts Create();
};

enum class TextAlign { kLeft, kCenter, kRight };

struct ButtonState {
    bool bHot = false;
    bool bPressed = false;
    bool bDisabled = false;
    bool bFocused = false;
};

enum class ButtonRole { kPrevious, kNext, kClose };

// Paints without flicker through an off-screen bitmap: paint draws in page coordinates, and the part
// of the page under pageArea lands in target at targetOrigin.
void PaintBuffered(HDC target, POINT targetOrigin, const RECT& pageArea,
                   const std::function<void(HDC)>& paint);
void PaintBackground(HDC dc, const RECT& page, const PageLayout& layout, const PageFonts& fonts);
void PaintText(HDC dc, const RECT& area, WStringView text, HFONT font, COLORREF color, TextAlign align);
void PaintButton(HDC dc, const RECT& area, WStringView text, HFONT font, ButtonRole role, ButtonState state);

// The colours of texts the page window paints through PaintText.
namespace PageColor {
inline constexpr COLORREF kText = RGB(0xF2, 0xF5, 0xFA);
inline constexpr COLORREF kMuted = RGB(0x8A, 0x93, 0xA6);
inline constexpr COLORREF kAccent = RGB(0x00, 0xD1, 0xFF);
}  // namespace PageColor
