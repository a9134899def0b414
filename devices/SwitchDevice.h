// CSwitchDevice, the installed-device catalogue: the records read from the registry and the devices'
// configuration files, in registry enumeration order, and the index of the device on screen. It owns its
// records and hands out copies. The host's catalogue remembers the current device in the user's registry
// when it is destroyed; a read-only catalogue (for tools) writes nothing and creates nothing.
#pragma once

#include <cstdint>
#include <optional>

#include "devices/DeviceInfo.h"
#include "devices/DeviceNavigation.h"
#include "xml/WideString.h"

enum class CatalogueMode { kHost, kReadOnly };

class CSwitchDevice {
public:
    explicit CSwitchDevice(CatalogueMode mode = CatalogueMode::kHost);
    ~CSwitchDevice();
    CSwitchDevice(const CSwitchDevice&) = delete;
    CSwitchDevice& operator=(const CSwitchDevice&) = delete;

    // Reads every installed device again; the current index is kept as it is, valid or not.
    void LoadDevices();

    int GetDeviceCount() const { return static_cast<int>(m_DeviceList.size()); }
    int GetCurrentIndex() const { return m_nCurrent; }
    std::optional<TEMBRA_DEVICE_INFO> GetDevice(int index) const;

    int FindDevice(WStringView keyName) const;
    // Makes the named device current when it is in the catalogue; returns its index or -1.
    int SelectDevice(WStringView keyName);
    WString GetDeviceKeyName(int index) const;
    WString GetDevicePath(int index) const;
    // start -1 means the position after (next) or before (previous) the current device; any other start
    // is itself the first candidate.
    WString GetNextPluggedDevice(int start) const;
    WString GetPrevPluggedDevice(int start) const;
    // The device to show first in normal mode, from the remembered key name; -1 when none is plugged.
    int ChooseStartDevice(WStringView rememberedKeyName) const;

    WString ReadExitDeviceName() const;
    void SaveExitDeviceName() const;
    // The device's "DevicePlug" number in the user's registry, read now; 0 when it cannot be read.
    uint32_t IsDevicePlugged(WStringView keyName) const;

private:
    bool IsValidIndex(int index) const { return index >= 0 && index < GetDeviceCount(); }

    CatalogueMode m_mode;
    int m_nCurrent = 0;
    DeviceList m_DeviceList;
};
