// Loading a picture file (any format the OLE picture decoder turns into a bitmap: BMP, GIF, JPEG) into
// a bitmap object, which then owns the decoded bitmap.
#pragma once

#include <windows.h>

#include "ui/Bitmap.h"
#include "xml/WideString.h"

// On success the bitmap holds the picture (its previous bitmap deleted) and *size, when asked for,
// its width and height. A file that cannot be opened or fully read, is empty, or does not decode to a
// bitmap leaves both untouched.
void LoadPictureFile(const WString& path, CBitmap& bitmap, SIZE* size = nullptr);
