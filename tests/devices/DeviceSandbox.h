// Test scaffolding that stands in for the device software inside the build's own Wine prefix: it
// installs devices in the machine hive, writes their config.ini files and the user-hive values, and
// removes all of it before and after each test. Tests own one sandbox at a time.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "xml/WideString.h"

struct DeviceValue {
    WString name;
    WString text;
};

// A value written byte for byte, with any type.
struct RawValue {
    DWORD type;
    std::vector<BYTE> data;
};

RawValue StringBytes(WStringView text, DWORD type = REG_SZ);  // with its terminator
RawValue UnterminatedBytes(WStringView text);
RawValue DwordBytes(uint32_t number);

class DeviceSandbox {
public:
    DeviceSandbox();
    ~DeviceSandbox();
    DeviceSandbox(const DeviceSandbox&) = delete;
    DeviceSandbox& operator=(const DeviceSandbox&) = delete;

    // The machine-hive root key with no devices under it.
    void CreateEmptyRoot() const;
    void InstallDevice(const WString& keyName, const std::vector<DeviceValue>& values = {}) const;
    void SetDeviceValue(const WString& keyName, const WString& valueName, const RawValue& value) const;
    // Denies everyone every right on the device's key, so that opening it for reading fails.
    void DenyDeviceKey(const WString& keyName);
    // config.ini's bytes as given; the folders on the way are created.
    void WriteConfig(const WString& keyName, const std::string& iniText) const;
    void WriteConfigAt(const WString& path, const std::string& iniText) const;
    void InstallPlugged(const WString& keyName, int plug) const;

    void CreateUserRoot() const;
    void SetUserValue(const WString& valueName, const RawValue& value) const;
    void SetDevicePlug(const WString& keyName, const RawValue& value) const;
    std::optional<RawValue> UserValue(const WString& valueName) const;
    bool UserRootExists() const;

    // The configuration root as the catalogue must find it: the user's application-data folder + "\Quor".
    static WString ConfigRoot();

private:
    void RemoveEverything();

    std::vector<WString> m_deniedKeys;
};

// Every value under the devices' keys in both hives and every file under the configuration root, as
// one comparable text.
std::string SnapshotDeviceState();
