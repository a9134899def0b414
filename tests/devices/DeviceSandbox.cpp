// The device-software stand-in for tests: plain Win32 calls, independent of the code under test.
#include "DeviceSandbox.h"

#include <aclapi.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "ui/WinString.h"

namespace {

const WString kRootPath = u"Software\\Varnix\\DaderuVivazo";

void Check(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error(std::string(what) + " failed with " + std::to_string(status));
    }
}

void WriteValue(HKEY hive, const WString& keyPath, const WString& valueName, const RawValue& value) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(hive, WinStr(keyPath), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
          "RegCreateKeyExW");
    const LSTATUS status = RegSetValueExW(key, WinStr(valueName), 0, value.type, value.data.data(),
                                          static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    Check(status, "RegSetValueExW");
}

void CreateKey(HKEY hive, const WString& keyPath) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(hive, WinStr(keyPath), 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr),
          "RegCreateKeyExW");
    RegCloseKey(key);
}

void SetKeyDacl(const WString& keyPath, ACCESS_MODE mode) {
    PSID everyone = nullptr;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    EXPLICIT_ACCESSW access = {};
    access.grfAccessPermissions = KEY_ALL_ACCESS;
    access.grfAccessMode = mode;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
    PACL acl = nullptr;
    SetEntriesInAclW(1, &access, nullptr, &acl);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    // The owner may always change the list, even when every other right is denied.
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, WinStr(keyPath), 0, WRITE_DAC, &key);
    if (status == ERROR_SUCCESS) {
        status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
        RegCloseKey(key);
    }
    LocalFree(acl);
    FreeSid(everyone);
    Check(status, "RegSetKeySecurity");
}

std::filesystem::path FsPath(const WString& path) {
    return std::filesystem::path(std::wstring(WinStr(path)));
}

void SnapshotKey(HKEY hive, const WString& path, std::ostringstream& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, WinStr(path), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        out << "no key " << ToUtf8(path) << "\n";
        return;
    }
    out << "key " << ToUtf8(path) << "\n";
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameUnits = std::size(name);
        BYTE data[8192];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &nameUnits, nullptr, &type, data, &size) != ERROR_SUCCESS) {
            break;
        }
        out << "  " << ToUtf8(FromWin(name)) << " type " << type << " = " << std::string(data, data + size)
            << "\n";
    }
    std::vector<WString> subKeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameUnits = std::size(name);
        if (RegEnumKeyExW(key, i, name, &nameUnits, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        subKeys.push_back(path + u'\\' + FromWin(name));
    }
    RegCloseKey(key);
    for (const WString& subKey : subKeys) {
        SnapshotKey(hive, subKey, out);
    }
}

}  // namespace

RawValue StringBytes(WStringView text, DWORD type) {
    RawValue value = UnterminatedBytes(text);
    value.type = type;
    value.data.push_back(0);
    value.data.push_back(0);
    return value;
}

RawValue UnterminatedBytes(WStringView text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.data());
    return RawValue{REG_SZ, std::vector<BYTE>(bytes, bytes + text.size() * sizeof(char16_t))};
}

RawValue DwordBytes(uint32_t number) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
    return RawValue{REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof number)};
}

DeviceSandbox::DeviceSandbox() {
    RemoveEverything();
}

DeviceSandbox::~DeviceSandbox() {
    RemoveEverything();
}

void DeviceSandbox::RemoveEverything() {
    for (const WString& keyName : m_deniedKeys) {
        SetKeyDacl(kRootPath + u'\\' + keyName, GRANT_ACCESS);
    }
    m_deniedKeys.clear();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, WinStr(kRootPath));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, WinStr(kRootPath));
    RegDeleteTreeW(HKEY_CURRENT_USER, WinStr(kRootPath));
    RegDeleteKeyW(HKEY_CURRENT_USER, WinStr(kRootPath));
    std::error_code ignored;
    std::filesystem::remove_all(FsPath(ConfigRoot()), ignored);
}

void DeviceSandbox::CreateEmptyRoot() const {
    CreateKey(HKEY_LOCAL_MACHINE, kRootPath);
}

void DeviceSandbox::InstallDevice(const WString& keyName, const std::vector<DeviceValue>& values) const {
    CreateKey(HKEY_LOCAL_MACHINE, kRootPath + u'\\' + keyName);
    for (const DeviceValue& value : values) {
        SetDeviceValue(keyName, value.name, StringBytes(value.text));
    }
}

void DeviceSandbox::SetDeviceValue(const WString& keyName, const WString& valueName,
                                   const RawValue& value) const {
    WriteValue(HKEY_LOCAL_MACHINE, kRootPath + u'\\' + keyName, valueName, value);
}

void DeviceSandbox::DenyDeviceKey(const WString& keyName) {
    SetKeyDacl(kRootPath + u'\\' + keyName, DENY_ACCESS);
    m_deniedKeys.push_back(keyName);
}

void DeviceSandbox::WriteConfig(const WString& keyName, const std::string& iniText) const {
    WriteConfigAt(ConfigRoot() + u'\\' + keyName + u"\\config.ini", iniText);
}

void DeviceSandbox::WriteConfigAt(const WString& path, const std::string& iniText) const {
    const std::filesystem::path file = FsPath(path);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << iniText;
}

void DeviceSandbox::InstallPlugged(const WString& keyName, int plug) const {
    InstallDevice(keyName);
    WriteConfig(keyName, "[Setting]\r\nPlug=" + std::to_string(plug) + "\r\n");
}

void DeviceSandbox::CreateUserRoot() const {
    CreateKey(HKEY_CURRENT_USER, kRootPath);
}

void DeviceSandbox::SetUserValue(const WString& valueName, const RawValue& value) const {
    WriteValue(HKEY_CURRENT_USER, kRootPath, valueName, value);
}

void DeviceSandbox::SetDevicePlug(const WString& keyName, const RawValue& value) const {
    WriteValue(HKEY_CURRENT_USER, kRootPath + u'\\' + keyName, u"DevicePlug", value);
}

std::optional<RawValue> DeviceSandbox::UserValue(const WString& valueName) const {
    BYTE data[4096];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, WinStr(kRootPath), WinStr(valueName), RRF_RT_ANY | RRF_NOEXPAND,
                     &type, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RawValue{type, std::vector<BYTE>(data, data + size)};
}

bool DeviceSandbox::UserRootExists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, WinStr(kRootPath), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

WString DeviceSandbox::ConfigRoot() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return FromWin(folder) + u"\\Quor";
}

std::string SnapshotDeviceState() {
    std::ostringstream out;
    SnapshotKey(HKEY_LOCAL_MACHINE, kRootPath, out);
    SnapshotKey(HKEY_CURRENT_USER, kRootPath, out);
    std::error_code error;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(FsPath(DeviceSandbox::ConfigRoot()), error)) {
        std::ifstream file(entry.path(), std::ios::binary);
        out << "file " << entry.path().string() << "\n"
            << std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()) << "\n";
    }
    return out.str();
}
