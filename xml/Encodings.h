// Encoding names, code pages and conversion to UTF-16 for the file loader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "xml/WideString.h"

constexpr int32_t kCodePageAnsi = 0;
constexpr int32_t kCodePageUtf16 = 1200;
constexpr int32_t kCodePageUtf8 = 65001;
constexpr int32_t kCodePageUtf32 = 65005;

// The code page of an encoding name (ASCII case folded), 0 for an empty name, 65005 for a name that
// begins with "UTF-32", -1 when the name is not known or is 100 units or longer.
int32_t EncodingToCodePage(WStringView name);

// The loader's lenient UTF-8 test (stops with true at a 0 byte; 0x80-0xBF pass as leads).
bool IsValidUtf8(const uint8_t* bytes, size_t count);

// One conversion request: source bytes in a named encoding to the target (always "UTF-16").
struct TextConverter {
    WString target;
    WString source;
    const void* data = nullptr;
    int32_t sourceLength = 0;  // in bytes: the loader reads every byte-wise body, UTF-32 included
    int32_t outputCount = 0;   // room on entry (0 = only measure); units produced on return
};

// Units produced, or needed when output is null or the room is 0.
int32_t ConvertText(TextConverter& request, char16_t* output);
