// The one string type of the code base: UTF-16 code units on every platform (wchar_t is 32-bit on
// Linux, so it is never used outside the Win32 seam). Conversions for output live here too.
#pragma once

#include <string>
#include <string_view>

using WString = std::u16string;
using WStringView = std::u16string_view;

// UTF-8 for printing; a lone surrogate becomes U+FFFD.
std::string ToUtf8(WStringView text);

// UTF-16 from UTF-8 (command-line arguments, test literals); an invalid byte becomes U+FFFD.
WString FromUtf8(std::string_view text);
