#include <gtest/gtest.h>

#include "xml/WideString.h"

TEST(WideString, RoundTripsThroughUtf8) {
    WString s = u"a\u00e9\u20ac\U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    EXPECT_EQ(ToUtf8(WString(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
