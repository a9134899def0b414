// The application directory: the one process-wide folder (ending in a backslash) that skin, strings
// and warning pictures are read from. The main window sets it to the executable's folder at start and
// each device switch rewrites it; every reader takes the value it holds at the moment of reading.
#pragma once

#include "xml/WideString.h"

// Room for the folder and its terminator, in UTF-16 units.
constexpr size_t kAppDirectoryUnits = 260;

WString GetAppDirectory();

// False, keeping the previous value, when the folder does not fit (259 units at most) or holds a NUL.
bool SetAppDirectory(WStringView folder);
