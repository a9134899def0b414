// The application directory: values that fit are kept whole, others are refused without harm.
#include <gtest/gtest.h>

#include "skin/AppDirectory.h"

namespace {

TEST(AppDirectory, KeepsWhatFitsAndRefusesTheRest) {
    const WString longest(kAppDirectoryUnits - 1, u'a');
    struct Case {
        const char* name;
        WString folder;
        bool accepted;
    };
    const Case cases[] = {
        {"a folder", u"C:\\Program Files\\Dashwell\\", true},
        {"empty", WString(), true},
        {"259 units", longest, true},
        {"260 units", WString(kAppDirectoryUnits, u'b'), false},
        {"far too long", WString(5000, u'c'), false},
        {"holds a NUL", WString(u"C:\\a\0b\\", 7), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SetAppDirectory(u"D:\\before\\"));
        EXPECT_EQ(SetAppDirectory(c.folder), c.accepted);
        EXPECT_EQ(GetAppDirectory(), c.accepted ? c.folder : WString(u"D:\\before\\"));
    }
}

}  // namespace
