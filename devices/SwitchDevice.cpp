// The catalogue: loading, lookups delegated to the list logic, and the per-user remembered and plugged
// values. Every key opened here is closed before the operation returns.
#include "devices/SwitchDevice.h"

#include <windows.h>

#include <algorithm>

#include "devices/DevicePaths.h"
#include "devices/DeviceSource.h"
#include "ui/RegKey.h"

// Keys are opened without a view flag, so a 64-bit host reads the native 64-bit registry view.
static_assert(sizeof(void*) == 8, "the catalogue is built for the x64 host");

namespace {

// Asked for the user-hive keys, for reading too: a user without these rights reads nothing.
constexpr REGSAM kUserKeyAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
constexpr char16_t kExitDeviceNameValue[] = u"ExitDeviceName";

FolderCreation FolderCreationFor(CatalogueMode mode) {
    return mode == CatalogueMode::kHost ? FolderCreation::kCreateMissing : FolderCreation::kLookUpOnly;
}

}  // namespace

CSwitchDevice::CSwitchDevice(CatalogueMode mode) : m_mode(mode) {
    LoadDevices();
}

CSwitchDevice::~CSwitchDevice() {
    if (m_mode == CatalogueMode::kHost) {
        SaveExitDeviceName();
    }
}

void CSwitchDevice::LoadDevices() {
    m_DeviceList.clear();
    RegKey root;
    if (root.Open(HKEY_LOCAL_MACHINE, kDevicesKeyPath, KEY_ENUMERATE_SUB_KEYS) != ERROR_SUCCESS) {
        return;
    }
    for (DWORD index = 0;; ++index) {
        WString keyName;
        // Any failure ends the list, not only ERROR_NO_MORE_ITEMS: a failed call leaves no name to use.
        // Registry key names (255 units at most, 256 under Wine) always fit the buffer.
        if (root.EnumSubKey(index, kMaxFieldText, keyName) != ERROR_SUCCESS || keyName.empty()) {
            break;
        }
        if (std::optional<TEMBRA_DEVICE_INFO> device = ReadDevice(keyName, FolderCreationFor(m_mode))) {
            m_DeviceList.push_back(*device);
        }
    }
}

std::optional<TEMBRA_DEVICE_INFO> CSwitchDevice::GetDevice(int index) const {
    if (!IsValidIndex(index)) {
        return std::nullopt;
    }
    return m_DeviceList[index];
}

int CSwitchDevice::FindDevice(WStringView keyName) const {
    return FindDeviceIndex(m_DeviceList, keyName);
}

int CSwitchDevice::SelectDevice(WStringView keyName) {
    const int index = FindDevice(keyName);
    if (index != -1) {
        m_nCurrent = index;
    }
    return index;
}

WString CSwitchDevice::GetDeviceKeyName(int index) const {
    return IsValidIndex(index) ? GetDeviceField(m_DeviceList[index].szKeyName) : WString();
}

WString CSwitchDevice::GetDevicePath(int index) const {
    return IsValidIndex(index) ? GetDeviceField(m_DeviceList[index].szPath) : WString();
}

WString CSwitchDevice::GetNextPluggedDevice(int start) const {
    return NextPluggedKeyName(m_DeviceList, start == -1 ? m_nCurrent + 1 : start);
}

WString CSwitchDevice::GetPrevPluggedDevice(int start) const {
    return PrevPluggedKeyName(m_DeviceList, start == -1 ? m_nCurrent - 1 : start);
}

int CSwitchDevice::ChooseStartDevice(WStringView rememberedKeyName) const {
    return ChooseStartIndex(m_DeviceList, rememberedKeyName);
}

WString CSwitchDevice::ReadExitDeviceName() const {
    RegKey key;
    RegValue value;
    if (key.Open(HKEY_CURRENT_USER, kDevicesKeyPath, kUserKeyAccess) != ERROR_SUCCESS ||
        key.QueryValue(kExitDeviceNameValue, value) != ERROR_SUCCESS) {
        return WString();
    }
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) {
        return WString();
    }
    WString name = TextFromRegData(value.data);
    return name.size() <= kMaxFieldText ? name : WString();
}

void CSwitchDevice::SaveExitDeviceName() const {
    const WString name = GetDeviceKeyName(m_nCurrent);
    RegKey key;
    if (key.Open(HKEY_CURRENT_USER, kDevicesKeyPath, kUserKeyAccess) != ERROR_SUCCESS) {
        return;
    }
    // A failed write leaves the previous name; there is no one to tell at the end of the run.
    key.SetString(kExitDeviceNameValue, name);
}

uint32_t CSwitchDevice::IsDevicePlugged(WStringView keyName) const {
    const std::optional<WString> path = DeviceKeyPath(keyName);
    RegKey key;
    RegValue value;
    if (!path || key.Open(HKEY_CURRENT_USER, *path, kUserKeyAccess) != ERROR_SUCCESS ||
        key.QueryValue(u"DevicePlug", value) != ERROR_SUCCESS || value.data.size() > sizeof(uint32_t)) {
        return 0;
    }
    uint32_t number = 0;
    std::copy(value.data.begin(), value.data.end(), reinterpret_cast<BYTE*>(&number));
    return number;
}
