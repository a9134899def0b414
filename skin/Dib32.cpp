// 32-bit DIB sections and rectangle copies between bitmaps.
#include "skin/Dib32.h"

#include <algorithm>

#include "ui/MemoryDC.h"
#include "ui/Selection.h"

CBitmap CreateDib32(int32_t width, int32_t height) {
    // A negative height would ask for a top-down bitmap: every reader here expects bottom-up rows.
    if (width <= 0 || height <= 0) {
        return CBitmap();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

namespace {

// The side of a rectangle, or 0 when it is negative or does not fit 32 bits.
int32_t SideLength(LONG from, LONG to) {
    const int64_t length = static_cast<int64_t>(to) - from;
    return length > 0 && length <= INT32_MAX ? static_cast<int32_t>(length) : 0;
}

// The part of rect that lies on a bitmap of the given size.
RECT ClipToBitmap(const RECT& rect, SIZE size) {
    return {std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, size.cx),
            std::min<LONG>(rect.bottom, size.cy)};
}

}  // namespace

void CopyBitmapRect(CBitmap& destination, HDC reference, const CBitmap& source, const RECT& rect) {
    if (!source) {
        return;
    }
    // The old picture goes first, so that two full-size bitmaps never live at once.
    destination.Delete();
    destination = CreateDib32(SideLength(rect.left, rect.right), SideLength(rect.top, rect.bottom));
    SIZE sourceSize{};
    if (!destination || !GetBitmapSize(source.Handle(), sourceSize)) {
        return;
    }
    // Only the part on the source is copied: what StretchBlt reads past a bitmap's edge is not defined.
    const RECT inside = ClipToBitmap(rect, sourceSize);
    if (inside.left >= inside.right || inside.top >= inside.bottom) {
        return;
    }
    CMemoryDC destinationDC(reference);
    CMemoryDC sourceDC(reference);
    if (!destinationDC || !sourceDC) {
        return;
    }
    CSelection destinationSelection(destinationDC.Handle(), destination.Handle());
    CSelection sourceSelection(sourceDC.Handle(), source.Handle());
    if (!destinationSelection || !sourceSelection) {
        return;
    }
    SetStretchBltMode(destinationDC.Handle(), HALFTONE);
    SetBrushOrgEx(destinationDC.Handle(), 0, 0, nullptr);
    const int width = inside.right - inside.left;
    const int height = inside.bottom - inside.top;
    StretchBlt(destinationDC.Handle(), inside.left - rect.left, inside.top - rect.top, width, height,
               sourceDC.Handle(), inside.left, inside.top, width, height, SRCCOPY);
}
