// Path building for the device catalogue and the process-wide configuration root.
#include "devices/DevicePaths.h"

#include <shlobj.h>
#include <windows.h>

#include "devices/DeviceInfo.h"
#include "ui/WinString.h"

namespace {

std::optional<WString> FittingPath(WString path) {
    if (path.size() > kMaxFieldText) {
        return std::nullopt;
    }
    return path;
}

std::optional<WString> LookUpAppDataFolder(FolderCreation creation) {
    const int folder = CSIDL_APPDATA | (creation == FolderCreation::kCreateMissing ? CSIDL_FLAG_CREATE : 0);
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return std::nullopt;
    }
    return FromWin(path);
}

}  // namespace

std::optional<WString> DeviceKeyPath(WStringView keyName) {
    return FittingPath(WString(kDevicesKeyPath) + u'\\' + WString(keyName));
}

std::optional<WString> DeviceConfigPath(WStringView configRoot, WStringView keyName) {
    return FittingPath(WString(configRoot) + u'\\' + WString(keyName) + u"\\config.ini");
}

WString NextConfigRoot(const WString& previous, const std::optional<WString>& appDataFolder) {
    if (!appDataFolder) {
        return previous;
    }
    return FittingPath(*appDataFolder + u"\\Quor").value_or(previous);
}

const WString& RefreshConfigRoot(FolderCreation creation) {
    static WString root;
    root = NextConfigRoot(root, LookUpAppDataFolder(creation));
    return root;
}
