// 32-bit device-independent bitmaps: making an empty one, and cutting a rectangle out of a picture
// into one of its own. The caller owns what these return or fill.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/Bitmap.h"

// A bottom-up 32-bit DIB section of width x height pixels, all bytes zero; empty when a side is not
// positive or GDI refuses.
[[nodiscard]] CBitmap CreateDib32(int32_t width, int32_t height);

// Replaces destination with a new 32-bit bitmap of the rectangle's size holding the source's pixels
// from (rect.left, rect.top) on; the part of the rectangle outside the source stays zero (black). The
// reference context only makes the working contexts compatible (null: the screen). An empty source
// leaves the destination as it was.
void CopyBitmapRect(CBitmap& destination, HDC reference, const CBitmap& source, const RECT& rect);
