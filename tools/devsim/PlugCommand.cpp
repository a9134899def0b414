// devsim plug KEYNAME 0|1: what the device software does when a device comes or goes. It writes "Plug"
// in the device's config.ini and "DevicePlug" in the user hive, creating the folders and keys on the way.
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "devices/DevicePaths.h"
#include "tools/devsim/SimCommands.h"
#include "ui/RegKey.h"
#include "ui/WinString.h"

namespace {

bool IsKeyName(const WString& name) {
    return !name.empty() && name.find(u'\\') == WString::npos;
}

int WriteConfigPlug(const WString& configPath, const WString& state) {
    const WString folder = configPath.substr(0, configPath.rfind(u'\\'));
    const int created = SHCreateDirectoryExW(nullptr, WinStr(folder), nullptr);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS) {
        return SimFailure("cannot create the folder " + ToUtf8(folder));
    }
    if (!WritePrivateProfileStringW(L"Setting", L"Plug", WinStr(state), WinStr(configPath))) {
        return SimFailure("cannot write " + ToUtf8(configPath));
    }
    return 0;
}

int WriteDevicePlug(const WString& keyPath, uint32_t plugged) {
    RegKey key;
    if (key.Create(HKEY_CURRENT_USER, keyPath, KEY_SET_VALUE) != ERROR_SUCCESS ||
        key.SetDword(u"DevicePlug", plugged) != ERROR_SUCCESS) {
        return SimFailure("cannot write DevicePlug under HKEY_CURRENT_USER\\" + ToUtf8(keyPath));
    }
    return 0;
}

}  // namespace

int RunPlugCommand(const SimArgs& args) {
    if (args.size() != 2 || !IsKeyName(args[0]) || (args[1] != u"0" && args[1] != u"1")) {
        return SimUsageError("usage: devsim plug KEYNAME 0|1");
    }
    const WString& root = RefreshConfigRoot(FolderCreation::kCreateMissing);
    const std::optional<WString> configPath = DeviceConfigPath(root, args[0]);
    const std::optional<WString> keyPath = DeviceKeyPath(args[0]);
    if (root.empty() || !configPath || !keyPath) {
        return SimFailure("no configuration file path for '" + ToUtf8(args[0]) + "'");
    }
    if (const int failed = WriteConfigPlug(*configPath, args[1])) {
        return failed;
    }
    return WriteDevicePlug(*keyPath, args[1] == u"1" ? 1 : 0);
}
