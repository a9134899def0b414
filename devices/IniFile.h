// CIniFile reads one configuration file in the profile format; it holds only the file's path and opens
// the file afresh for every read.
#pragma once

#include <utility>

#include "xml/WideString.h"

class CIniFile {
public:
    explicit CIniFile(WString path) : m_strPath(std::move(path)) {}

    // The value of key in section (at most 2,047 units), or defaultValue when the file, the section or
    // the key is missing.
    WString GetString(const WString& section, const WString& key, const WString& defaultValue) const;

private:
    WString m_strPath;
};
