// Turns fuzzer bytes into UTF-16 units (little-endian pairs; an odd last byte is dropped), so that the
// targets see every unit value, surrogates and 0 included.
#pragma once

#include <cstddef>
#include <cstdint>

#include "xml/WideString.h"

inline WString UnitsFromBytes(const uint8_t* data, size_t size) {
    WString units(size / 2, u'\0');
    for (size_t k = 0; k < units.size(); ++k) {
        units[k] = static_cast<char16_t>(data[2 * k] | (data[2 * k + 1] << 8));
    }
    return units;
}
