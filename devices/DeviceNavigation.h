// The catalogue's questions answered over a list of records alone, so that they can be checked with
// tables: lookup by key name, the nearest plugged device in either direction, and the device to show
// first. Indices are positions in the list; an index is valid from 0 to the record count minus 1.
#pragma once

#include <vector>

#include "devices/DeviceInfo.h"
#include "xml/WideString.h"

using DeviceList = std::vector<TEMBRA_DEVICE_INFO>;

// The first record whose key name equals keyName unit for unit (case matters), or -1.
int FindDeviceIndex(const DeviceList& devices, WStringView keyName);
// The key name of the first plugged record at start or after it, or empty. No wrap-around.
WString NextPluggedKeyName(const DeviceList& devices, int start);
// The key name of the first plugged record at start or before it, or empty. No wrap-around.
WString PrevPluggedKeyName(const DeviceList& devices, int start);
// The index of the device shown first in normal mode, or -1 for none: the remembered device when it is
// plugged, else the first plugged one at or after it, else the nearest plugged one before it. A name not
// in the list counts as the first record.
int ChooseStartIndex(const DeviceList& devices, WStringView rememberedKeyName);
