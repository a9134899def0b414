// ParseInt32: the integer reader every text value goes through. It owns nothing; the magnitude is
// accumulated in 64 bits and capped, so any number of digits is read without overflow.
#include "xml/NumberText.h"

namespace {

// The magnitude of INT32_MIN; accumulating stops growing here, which is enough to saturate either way.
constexpr int64_t kMagnitudeCap = int64_t{1} << 31;

// The ASCII white space that iswspace accepts; wider Unicode spaces are not skipped.
bool IsAsciiSpace(char16_t unit) {
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

// The value of unit as a digit of base, or -1 when it is not one.
int DigitValue(char16_t unit, int base) {
    int value = -1;
    if (unit >= u'0' && unit <= u'9') {
        value = unit - u'0';
    } else if (unit >= u'a' && unit <= u'z') {
        value = unit - u'a' + 10;
    } else if (unit >= u'A' && unit <= u'Z') {
        value = unit - u'A' + 10;
    }
    return value < base ? value : -1;
}

// Skips "0x" or "0X" only when a hexadecimal digit follows, so that "0x" alone still reads as the digit 0.
size_t SkipHexPrefix(WStringView text, size_t pos) {
    const bool hasPrefix = pos + 2 < text.size() && text[pos] == u'0' &&
                           (text[pos + 1] == u'x' || text[pos + 1] == u'X') &&
                           DigitValue(text[pos + 2], 16) >= 0;
    return hasPrefix ? pos + 2 : pos;
}

int32_t Saturate(int64_t magnitude, bool negative) {
    if (negative) {
        return static_cast<int32_t>(-magnitude);
    }
    return magnitude >= kMagnitudeCap ? INT32_MAX : static_cast<int32_t>(magnitude);
}

}  // namespace

int32_t ParseInt32(WStringView text, int base, size_t* consumed) {
    size_t pos = 0;
    while (pos < text.size() && IsAsciiSpace(text[pos])) {
        ++pos;
    }
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        ++pos;
    }
    if (base == 16) {
        pos = SkipHexPrefix(text, pos);
    }

    const size_t firstDigit = pos;
    int64_t magnitude = 0;
    for (int digit = 0; pos < text.size() && (digit = DigitValue(text[pos], base)) >= 0; ++pos) {
        if (magnitude < kMagnitudeCap) {
            magnitude = magnitude * base + digit;
            if (magnitude > kMagnitudeCap) {
                magnitude = kMagnitudeCap;
            }
        }
    }

    const bool anyDigit = pos > firstDigit;
    if (consumed != nullptr) {
        *consumed = anyDigit ? pos : 0;
    }
    return anyDigit ? Saturate(magnitude, negative) : 0;
}
