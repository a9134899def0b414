// Lookup and plugged-device navigation over the catalogue's records.
#include "devices/DeviceNavigation.h"

#include <algorithm>

namespace {

int Count(const DeviceList& devices) {
    return static_cast<int>(devices.size());
}

bool IsPlugged(const DeviceList& devices, int index) {
    return index >= 0 && index < Count(devices) && devices[index].nPlug != 0;
}

}  // namespace

int FindDeviceIndex(const DeviceList& devices, WStringView keyName) {
    for (int i = 0; i < Count(devices); ++i) {
        if (GetDeviceField(devices[i].szKeyName) == keyName) {
            return i;
        }
    }
    return -1;
}

WString NextPluggedKeyName(const DeviceList& devices, int start) {
    for (int i = std::max(start, 0); i < Count(devices); ++i) {
        if (IsPlugged(devices, i)) {
            return GetDeviceField(devices[i].szKeyName);
        }
    }
    return WString();
}

WString PrevPluggedKeyName(const DeviceList& devices, int start) {
    for (int i = std::min(start, Count(devices) - 1); i >= 0; --i) {
        if (IsPlugged(devices, i)) {
            return GetDeviceField(devices[i].szKeyName);
        }
    }
    return WString();
}

int ChooseStartIndex(const DeviceList& devices, WStringView rememberedKeyName) {
    const int remembered = std::max(FindDeviceIndex(devices, rememberedKeyName), 0);
    if (IsPlugged(devices, remembered)) {
        return remembered;
    }
    WString name = NextPluggedKeyName(devices, remembered);
    if (name.empty()) {
        name = PrevPluggedKeyName(devices, remembered);
    }
    return FindDeviceIndex(devices, name);
}
