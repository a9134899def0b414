// CBitmap: the owner of one GDI bitmap (see CGdiObject), and the size query every picture user needs.
#pragma once

#include <windows.h>

#include "ui/GdiObject.h"

using CBitmap = CGdiObject<HBITMAP>;

// Width and height in pixels; false (size untouched) when the handle is not a bitmap.
bool GetBitmapSize(HBITMAP bitmap, SIZE& size);
