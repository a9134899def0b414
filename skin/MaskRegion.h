// Window outlines from mask pictures: every pixel that is not pure white belongs to the region.
#pragma once

#include <windows.h>

#include "ui/Region.h"

// The region of the mask's non-white pixels, in the picture's coordinates ((0, 0) is its top-left
// pixel), owned by the caller. Empty (null) for a null mask, an all-white mask, or when GDI fails:
// the caller then leaves its window rectangular.
[[nodiscard]] CRegion CreateRegionFromMask(HBITMAP mask);
