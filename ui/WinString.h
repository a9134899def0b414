// The Win32 seam for strings: WString holds UTF-16 units, as does wchar_t on Windows, so a view of one
// as the other costs nothing. Only code that calls Win32 includes this.
#pragma once

#include <cwchar>

#include "xml/WideString.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Win32 seam needs 16-bit wchar_t");

inline const wchar_t* WinStr(const WString& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* WinStr(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* WinBuf(char16_t* buffer) {
    return reinterpret_cast<wchar_t*>(buffer);
}
inline WString FromWin(const wchar_t* text) {
    return text ? WString(reinterpret_cast<const char16_t*>(text), std::wcslen(text)) : WString();
}
inline WString FromWin(const wchar_t* text, size_t count) {
    return WString(reinterpret_cast<const char16_t*>(text), count);
}
