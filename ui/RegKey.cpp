// The registry key wrapper: every acquiring call leaves the object either holding an open key or
// nothing, and every read is bounded by the sizes the registry reports.
#include "ui/RegKey.h"

#include <algorithm>
#include <cstring>

#include "ui/WinString.h"

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        m_hKey = other.m_hKey;
        other.m_hKey = nullptr;
    }
    return *this;
}

LSTATUS RegKey::Open(HKEY parent, const WString& subKey, REGSAM access) {
    Close();
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(parent, WinStr(subKey), 0, access, &key);
    if (status == ERROR_SUCCESS) {
        m_hKey = key;
    }
    return status;
}

LSTATUS RegKey::Create(HKEY parent, const WString& subKey, REGSAM access) {
    Close();
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(parent, WinStr(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        m_hKey = key;
    }
    return status;
}

void RegKey::Close() {
    if (m_hKey) {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

LSTATUS RegKey::EnumSubKey(DWORD index, DWORD maxUnits, WString& name) const {
    std::vector<wchar_t> buffer(maxUnits + 1, L'\0');
    DWORD units = maxUnits + 1;
    LSTATUS status = RegEnumKeyExW(m_hKey, index, buffer.data(), &units, nullptr, nullptr, nullptr, nullptr);
    name = status == ERROR_SUCCESS ? FromWin(buffer.data(), units) : WString();
    return status;
}

LSTATUS RegKey::QueryValue(const WString& name, RegValue& value) const {
    value = RegValue();
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(m_hKey, WinStr(name), nullptr, &value.type, nullptr, &size);
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        value.data.assign(size, 0);
        DWORD got = size;
        status = RegQueryValueExW(m_hKey, WinStr(name), nullptr, &value.type, value.data.data(), &got);
        if (status == ERROR_SUCCESS) {
            value.data.resize(got);
            return status;
        }
        // The value grew between the calls: ask with the new size, and always with a larger one.
        size = std::max<DWORD>(got, size + sizeof(char16_t));
    }
    value = RegValue();
    return status;
}

LSTATUS RegKey::SetString(const WString& name, WStringView text) const {
    WString terminated(text);
    const DWORD bytes = static_cast<DWORD>((terminated.size() + 1) * sizeof(char16_t));
    return RegSetValueExW(m_hKey, WinStr(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()),
                          bytes);
}

LSTATUS RegKey::SetDword(const WString& name, uint32_t number) const {
    return RegSetValueExW(m_hKey, WinStr(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof number);
}

WString TextFromRegData(const std::vector<BYTE>& data) {
    WString text(data.size() / sizeof(char16_t), u'\0');
    if (!text.empty()) {
        std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
    }
    return text.substr(0, text.find(u'\0'));
}
