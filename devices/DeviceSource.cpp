// Reads one device's record: the five string values of its machine-hive key, taken as stored, and the
// "Setting" section of its configuration file.
#include "devices/DeviceSource.h"

#include <windows.h>

#include "devices/IniFile.h"
#include "ui/RegKey.h"
#include "xml/NumberText.h"

namespace {

// The value's text as stored (no expansion, whatever its type), or empty when it cannot be read.
WString ReadValueText(const RegKey& key, const WString& name) {
    RegValue value;
    if (key.QueryValue(name, value) != ERROR_SUCCESS) {
        return WString();
    }
    return TextFromRegData(value.data);
}

void ReadRegistryValues(const RegKey& key, TEMBRA_DEVICE_INFO& device) {
    SetDeviceField(device.szDll, ReadValueText(key, u"Dll"));
    SetDeviceField(device.szName, ReadValueText(key, u"Name"));
    SetDeviceField(device.szPath, ReadValueText(key, u"Path"));
    SetDeviceField(device.szDeviceType, ReadValueText(key, u"DeviceType"));
    SetDeviceField(device.szSoftwareVersion, ReadValueText(key, u"Software Version"));
}

// A path that could not be built leaves the device as if it had no configuration file: not plugged.
void ReadConfigFile(const std::optional<WString>& path, TEMBRA_DEVICE_INFO& device) {
    if (!path) {
        return;
    }
    const CIniFile ini(*path);
    SetDeviceField(device.szFWVersion, ini.GetString(u"Setting", u"FWVersion", u""));
    device.nPlug = ParseInt32(ini.GetString(u"Setting", u"Plug", u""));
}

}  // namespace

std::optional<TEMBRA_DEVICE_INFO> ReadDevice(WStringView keyName, FolderCreation creation) {
    const std::optional<WString> configPath = DeviceConfigPath(RefreshConfigRoot(creation), keyName);
    const std::optional<WString> keyPath = DeviceKeyPath(keyName);
    RegKey key;
    if (!keyPath || key.Open(HKEY_LOCAL_MACHINE, *keyPath, KEY_READ) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    TEMBRA_DEVICE_INFO device{};
    SetDeviceField(device.szKeyName, keyName);
    ReadRegistryValues(key, device);
    ReadConfigFile(configPath, device);
    return device;
}
