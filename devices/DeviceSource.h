// Reading one installed device into a record: its registry values from the machine hive and its
// configuration file. Only what was read successfully and fits a field is stored.
#pragma once

#include <optional>

#include "devices/DeviceInfo.h"
#include "devices/DevicePaths.h"
#include "xml/WideString.h"

// The record of the device with this key name, or nothing when its key cannot be opened for reading.
std::optional<TEMBRA_DEVICE_INFO> ReadDevice(WStringView keyName, FolderCreation creation);
