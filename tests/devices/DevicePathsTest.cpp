// Paths and fields refuse what would not fit a 260-unit buffer instead of shortening it.
#include <gtest/gtest.h>

#include "devices/DeviceInfo.h"
#include "devices/DevicePaths.h"

namespace {

TEST(DevicePaths, KeyPathHoldsAtMost259Units) {
    EXPECT_EQ(DeviceKeyPath(u"Mouse"), u"Software\\Varnix\\DaderuVivazo\\Mouse");
    EXPECT_EQ(DeviceKeyPath(WString(230, u'k'))->size(), 259u);
    EXPECT_FALSE(DeviceKeyPath(WString(231, u'k')));
}

TEST(DevicePaths, ConfigPathHoldsAtMost259Units) {
    EXPECT_EQ(DeviceConfigPath(u"C:\\Data\\Quor", u"Mouse"), u"C:\\Data\\Quor\\Mouse\\config.ini");
    EXPECT_EQ(DeviceConfigPath(u"", u"Mouse"), u"\\Mouse\\config.ini");
    const WString root(200, u'r');
    EXPECT_EQ(DeviceConfigPath(root, WString(47, u'k'))->size(), 259u);
    EXPECT_FALSE(DeviceConfigPath(root, WString(48, u'k')));
}

TEST(DevicePaths, ConfigRootFollowsSuccessfulLookupsOnly) {
    const WString previous = u"C:\\Before\\Quor";
    struct Case {
        const char* what;
        std::optional<WString> folder;
        WString expected;
    } cases[] = {
        {"lookup found the folder", WString(u"C:\\Users\\a\\AppData"), u"C:\\Users\\a\\AppData\\Quor"},
        {"lookup failed", std::nullopt, previous},
        {"root of exactly 259 units", WString(254, u'f'), WString(254, u'f') + u"\\Quor"},
        {"root that would not fit", WString(255, u'f'), previous},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextConfigRoot(previous, c.folder), c.expected) << c.what;
    }
    EXPECT_EQ(NextConfigRoot(u"", std::nullopt), u"");
}

TEST(DeviceField, StoresWholeTextOrNothingAlwaysTerminated) {
    DeviceField field;
    std::fill(std::begin(field), std::end(field), u'#');
    SetDeviceField(field, WString(259, u'a'));
    EXPECT_EQ(GetDeviceField(field), WString(259, u'a'));
    EXPECT_EQ(field[259], u'\0');
    SetDeviceField(field, WString(260, u'b'));
    EXPECT_EQ(GetDeviceField(field), u"");
    SetDeviceField(field, u"short");
    EXPECT_EQ(GetDeviceField(field), u"short");
    EXPECT_EQ(field[5], u'\0');
}

}  // namespace
