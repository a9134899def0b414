// TEMBRA_DEVICE_INFO, the fixed-size record of one installed device, and the one way text gets into and
// out of its fields. Records are plain values: whoever holds one owns a full copy.
#pragma once

#include <cstddef>
#include <cstdint>

#include "xml/WideString.h"

inline constexpr size_t kDeviceFieldUnits = 260;
// The longest text a field, or a formatted path, may hold: one unit is kept for the terminator.
inline constexpr size_t kMaxFieldText = kDeviceFieldUnits - 1;

using DeviceField = char16_t[kDeviceFieldUnits];

struct TEMBRA_DEVICE_INFO {
    DeviceField szKeyName;
    DeviceField szDll;
    DeviceField szPath;
    DeviceField szName;
    int32_t nPlug;
    DeviceField szDeviceType;
    DeviceField szSoftwareVersion;
    DeviceField szFWVersion;
};

// The record crosses module boundaries: its layout is fixed.
static_assert(sizeof(TEMBRA_DEVICE_INFO) == 7 * sizeof(DeviceField) + sizeof(int32_t));
static_assert(offsetof(TEMBRA_DEVICE_INFO, nPlug) == 4 * sizeof(DeviceField));

// Stores text that fits whole (at most kMaxFieldText units) and clears the field otherwise: a cut name
// or folder would pass for a different one. The field is always terminated.
void SetDeviceField(DeviceField& field, WStringView text);
WString GetDeviceField(const DeviceField& field);
