// The one reader of integers written as text (skin values, control layouts, character references,
// INI values): leading white space, one sign, digits; saturates to the signed 32-bit range, as _wtoi
// does, identically on every platform.
#pragma once

#include <cstddef>
#include <cstdint>

#include "xml/WideString.h"

// base is 10 or 16 (16 accepts an optional 0x or 0X after the sign). consumed, when given, receives
// the units read through the last digit, or 0 when no digit was found (the result is then 0).
int32_t ParseInt32(WStringView text, int base = 10, size_t* consumed = nullptr);
