// CRegion: the owner of one GDI region (see CGdiObject). Detach it when SetWindowRgn takes it over.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/GdiObject.h"

using CRegion = CGdiObject<HRGN>;

// The region's rectangles as GetRegionData gives them; empty for a null or empty region.
std::vector<RECT> GetRegionRects(HRGN region);
