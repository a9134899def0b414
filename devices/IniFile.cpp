// The configuration file reader over the system's profile functions.
#include "devices/IniFile.h"

#include <windows.h>

#include <iterator>

#include "ui/WinString.h"

WString CIniFile::GetString(const WString& section, const WString& key, const WString& defaultValue) const {
    wchar_t value[2048] = {};
    const DWORD units = GetPrivateProfileStringW(WinStr(section), WinStr(key), WinStr(defaultValue), value,
                                                 static_cast<DWORD>(std::size(value)), WinStr(m_strPath));
    return FromWin(value, units);
}
