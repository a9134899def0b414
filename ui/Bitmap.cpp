// Size query of GDI bitmaps.
#include "ui/Bitmap.h"

bool GetBitmapSize(HBITMAP bitmap, SIZE& size) {
    // sizeof(BITMAP) is 32 on x64: GetObjectW refuses any other size.
    BITMAP description{};
    if (!bitmap || GetObjectW(bitmap, sizeof(description), &description) != sizeof(description)) {
        return false;
    }
    size = {description.bmWidth, description.bmHeight};
    return true;
}
