// Tests of ParseInt32: white space, signs, bases, where reading stops, and saturation.
#include "xml/NumberText.h"

#include <gtest/gtest.h>

#include "xml/WideString.h"

namespace {

struct NumberCase {
    WStringView text;
    int base;
    int32_t value;
    size_t consumed;
};

const NumberCase kNumberCases[] = {
    {u"", 10, 0, 0},
    {u"42", 10, 42, 2},
    {u"  42", 10, 42, 4},
    {u" \t\n\v\f\r7", 10, 7, 7},
    {u"+5", 10, 5, 2},
    {u"-5", 10, -5, 2},
    {u"  -17x", 10, -17, 5},
    {u"12abc", 10, 12, 2},
    {u"000000000000000000000123", 10, 123, 24},
    {u"x1", 10, 0, 0},
    {u"-", 10, 0, 0},
    {u"--5", 10, 0, 0},
    {u"+-5", 10, 0, 0},
    {u"- 5", 10, 0, 0},
    {u"\u00A05", 10, 0, 0},  // no-break space is not skipped
    {u"\u3000"
     u"5",
     10, 0, 0},             // nor the ideographic space
    {u"\uFF15", 10, 0, 0},  // a full-width digit is no digit
    {u"0x41", 10, 0, 1},    // decimal reads only the 0
    {u"2147483647", 10, INT32_MAX, 10},
    {u"2147483648", 10, INT32_MAX, 10},
    {u"4294967296", 10, INT32_MAX, 10},
    {u"99999999999999999999999", 10, INT32_MAX, 23},
    {u"-2147483647", 10, -2147483647, 11},
    {u"-2147483648", 10, INT32_MIN, 11},
    {u"-2147483649", 10, INT32_MIN, 11},
    {u"-99999999999", 10, INT32_MIN, 12},
    {u"41", 16, 0x41, 2},
    {u"0x41", 16, 0x41, 4},
    {u"0X41", 16, 0x41, 4},
    {u" -0x10", 16, -16, 6},
    {u"+ff", 16, 255, 3},
    {u"FFg", 16, 255, 2},
    {u"0x", 16, 0, 1},  // the prefix needs a digit after it; the 0 itself is read
    {u"0xg", 16, 0, 1},
    {u"x41", 16, 0, 0},
    {u"0x0x41", 16, 0, 3},
    {u"7fffffff", 16, INT32_MAX, 8},
    {u"80000000", 16, INT32_MAX, 8},
    {u"-80000000", 16, INT32_MIN, 9},
    {u"0x100000000", 16, INT32_MAX, 11},
    {u"-0xFFFFFFFFFFFFFFFFFFFF", 16, INT32_MIN, 23},
};

TEST(NumberText, ReadsValueAndConsumedUnits) {
    for (const NumberCase& c : kNumberCases) {
        SCOPED_TRACE(ToUtf8(c.text) + " base " + std::to_string(c.base));
        size_t consumed = 99;
        EXPECT_EQ(ParseInt32(c.text, c.base, &consumed), c.value);
        EXPECT_EQ(consumed, c.consumed);
        EXPECT_EQ(ParseInt32(c.text, c.base), c.value);
    }
}

TEST(NumberText, StopsAtAnEmbeddedNulAndAtTheViewEnd) {
    size_t consumed = 0;
    EXPECT_EQ(ParseInt32(WStringView(u"12\0"
                                     u"34",
                                     5),
                         10, &consumed),
              12);
    EXPECT_EQ(consumed, 2u);
    EXPECT_EQ(ParseInt32(WStringView(u"1234", 2), 10, &consumed), 12);
    EXPECT_EQ(consumed, 2u);
}

TEST(NumberText, ReadsAnyNumberOfDigits) {
    const WString manyNines(100000, u'9');
    size_t consumed = 0;
    EXPECT_EQ(ParseInt32(manyNines, 10, &consumed), INT32_MAX);
    EXPECT_EQ(consumed, manyNines.size());
    EXPECT_EQ(ParseInt32(u"-" + manyNines, 10, &consumed), INT32_MIN);
    EXPECT_EQ(consumed, manyNines.size() + 1);

    const WString zerosThenValue = WString(100000, u'0') + u"2147483647";
    EXPECT_EQ(ParseInt32(zerosThenValue, 10, &consumed), INT32_MAX);
    EXPECT_EQ(ParseInt32(u"-" + zerosThenValue, 10, &consumed), -INT32_MAX);
}

}  // namespace
