// CFont: the owner of one GDI font (see CGdiObject).
#pragma once

#include <windows.h>

#include "ui/GdiObject.h"

using CFont = CGdiObject<HFONT>;
