// Where a device's page module is found and how it is loaded. A module is only ever loaded by an
// absolute path, so no library is taken from the current directory or from the search path.
#pragma once

#include <windows.h>

#include <optional>

#include "xml/WideString.h"

// The drive and folder of a path: everything up to and including its last backslash or slash.
WString DriveAndFolder(WStringView path);

// The page module's file for a folder path (a path to a file means the file's folder): drive, folder,
// "Setting.dll". Nothing when that is not an absolute path or does not fit 259 units.
std::optional<WString> PageModuleFile(WStringView path);

// Loads a library by its absolute path. Its own dependencies come from its folder and the system
// folders; null when it cannot be loaded.
HMODULE LoadModuleFromFile(const WString& file);

// The folder of the running executable, with its trailing backslash.
WString ExecutableFolder();

// Top-left corner of an icon centred in a client area, as a minimised window draws it.
POINT MinimisedIconPosition(const RECT& client, int iconWidth, int iconHeight);
