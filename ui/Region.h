// CRegion: the owner of one GDI region (see CGdiObject). Detach it when SetWindowRgn takes it over.
#pragma once

#include <windows.h>

#include "ui/GdiObject.h"

using CRegion = CGdiObject<HRGN>;
