// The sample module finds its own device the way any module can: the installed device whose registry
// "Path" names the module's own folder. It reads the machine hive's 64-bit view, as the host does, and
// the device's config.ini in the user's application-data folder.
#pragma once

#include <windows.h>

#include <optional>

#include "xml/WideString.h"

struct DeviceFacts {
    WString keyName;
    WString name;             // "Name"
    WString deviceType;       // "DeviceType"
    WString firmwareVersion;  // "FWVersion" of config.ini's section "Setting"
};

// The folder of a loaded module, as GetModuleFileNameW names it, without the trailing backslash.
WString ModuleFolder(HMODULE module);

// True when both texts name the same folder: letters compared without case, '/' taken for '\', and
// trailing separators ignored. Empty names match nothing.
bool IsSameFolder(WStringView first, WStringView second);

// The first installed device, in registry order, whose "Path" is the folder; nothing when none is.
std::optional<DeviceFacts> FindDeviceInFolder(WStringView folder);
