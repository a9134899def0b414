// Where a device's data lives: its registry keys and its configuration file under the configuration
// root. Every path is built here and refused, never shortened, when it would not fit a 260-unit path
// buffer: a shortened path names some other key or file. The process-wide configuration root is owned
// here too.
#pragma once

#include <optional>

#include "xml/WideString.h"

// The same path names the installed devices in the machine hive and the remembered and plugged state in
// the user hive.
inline constexpr char16_t kDevicesKeyPath[] = u"Software\\Varnix\\DaderuVivazo";

// kDevicesKeyPath\keyName, or nothing when longer than a path may be.
std::optional<WString> DeviceKeyPath(WStringView keyName);
// configRoot\keyName\config.ini, or nothing when longer than a path may be.
std::optional<WString> DeviceConfigPath(WStringView configRoot, WStringView keyName);

// The root that follows a folder lookup: the folder with "\Quor" appended when the lookup found one and
// the result fits; otherwise the previous root stays.
WString NextConfigRoot(const WString& previous, const std::optional<WString>& appDataFolder);

enum class FolderCreation { kCreateMissing, kLookUpOnly };
// Looks up the user's application-data folder again and returns the process-wide configuration root
// (empty until the first successful lookup).
const WString& RefreshConfigRoot(FolderCreation creation);
