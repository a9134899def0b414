#include "DeviceLookup.h"

#include <shlobj.h>

#include "ui/RegKey.h"
#include "ui/WinString.h"

namespace {

constexpr char16_t kDevicesKeyPath[] = u"Software\\Varnix\\DaderuVivazo";
constexpr DWORD kMaxKeyNameUnits = 255;  // the registry's own limit for a key name
constexpr DWORD kMaxIniValueUnits = 2047;

WString StringValue(const RegKey& key, const WString& name) {
    RegValue value;
    if (key.QueryValue(name, value) != ERROR_SUCCESS ||
        (value.type != REG_SZ && value.type != REG_EXPAND_SZ)) {
        return WString();
    }
    return TextFromRegData(value.data);
}

WString NormalizedFolder(WStringView folder) {
    WString normal(folder);
    for (char16_t& unit : normal) {
        if (unit == u'/') {
            unit = u'\\';
        }
    }
    while (!normal.empty() && normal.back() == u'\\') {
        normal.pop_back();
    }
    return normal;
}

WString FirmwareVersion(const WString& keyName) {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return WString();
    }
    const WString configPath = FromWin(appData) + u"\\Quor\\" + keyName + u"\\config.ini";
    wchar_t version[kMaxIniValueUnits + 1] = {};
    GetPrivateProfileStringW(L"Setting", L"FWVersion", L"", version, std::size(version), WinStr(configPath));
    return FromWin(version);
}

}  // namespace

WString ModuleFolder(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    const WString file = FromWin(path, length < MAX_PATH ? length : 0);
    const size_t separator = file.find_last_of(u"\\/");
    return separator == WString::npos ? WString() : file.substr(0, separator);
}

bool IsSameFolder(WStringView first, WStringView second) {
    const WString a = NormalizedFolder(first);
    const WString b = NormalizedFolder(second);
    return !a.empty() && CompareStringOrdinal(WinStr(a), static_cast<int>(a.size()), WinStr(b),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::optional<DeviceFacts> FindDeviceInFolder(WStringView folder) {
    RegKey root;
    if (root.Open(HKEY_LOCAL_MACHINE, kDevicesKeyPath, KEY_READ | KEY_WOW64_64KEY) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    for (DWORD index = 0;; ++index) {
        WString keyName;
        const LSTATUS status = root.EnumSubKey(index, kMaxKeyNameUnits, keyName);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        RegKey device;
        if (device.Open(root.Get(), keyName, KEY_READ | KEY_WOW64_64KEY) == ERROR_SUCCESS &&
            IsSameFolder(StringValue(device, u"Path"), folder)) {
            return DeviceFacts{keyName, StringValue(device, u"Name"), StringValue(device, u"DeviceType"),
                               FirmwareVersion(keyName)};
        }
    }
}
