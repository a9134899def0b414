// RegKey owns one opened registry key (HKEY) and closes it when it goes; the predefined roots such as
// HKEY_LOCAL_MACHINE are only borrowed as parents. The product opens keys and never creates them;
// Create exists for the device simulator and the tests, which stand in for the device software.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "xml/WideString.h"

// A value exactly as stored: its type and all of its bytes.
struct RegValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(RegKey&& other) noexcept : m_hKey(other.m_hKey) { other.m_hKey = nullptr; }
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Both close any key held before; on failure the object holds nothing.
    [[nodiscard]] LSTATUS Open(HKEY parent, const WString& subKey, REGSAM access);
    [[nodiscard]] LSTATUS Create(HKEY parent, const WString& subKey, REGSAM access);
    void Close();

    HKEY Get() const { return m_hKey; }

    // The name of the sub-key at index when it has at most maxUnits units; ERROR_MORE_DATA when longer,
    // ERROR_NO_MORE_ITEMS past the last one.
    [[nodiscard]] LSTATUS EnumSubKey(DWORD index, DWORD maxUnits, WString& name) const;
    // The whole value, however long: the size is asked again while the value grows under us.
    [[nodiscard]] LSTATUS QueryValue(const WString& name, RegValue& value) const;
    // Writes the text and its terminator as REG_SZ.
    LSTATUS SetString(const WString& name, WStringView text) const;
    LSTATUS SetDword(const WString& name, uint32_t number) const;

private:
    HKEY m_hKey = nullptr;
};

// The text of string data: whole UTF-16 units up to the first terminator or the end, whichever comes
// first, so that unterminated data still gives a bounded string.
WString TextFromRegData(const std::vector<BYTE>& data);
