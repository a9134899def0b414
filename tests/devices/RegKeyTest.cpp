// The registry key owner: ownership moves with the object, the old key is closed, opening never creates,
// and values are read whole.
#include <gtest/gtest.h>

#include "ui/RegKey.h"
#include "ui/WinString.h"

namespace {

const WString kScratch = u"Software\\DashwellRegKeyTest";

bool IsClosed(HKEY key) {
    return RegQueryValueExW(key, L"", nullptr, nullptr, nullptr, nullptr) == ERROR_INVALID_HANDLE;
}

class RegKeyTest : public ::testing::Test {
protected:
    RegKeyTest() { RegDeleteTreeW(HKEY_CURRENT_USER, WinStr(kScratch)); }
    ~RegKeyTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, WinStr(kScratch));
        RegDeleteKeyW(HKEY_CURRENT_USER, WinStr(kScratch));
    }
};

TEST_F(RegKeyTest, OpenNeverCreates) {
    RegKey key;
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kScratch, KEY_READ), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.Get(), nullptr);
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kScratch, KEY_READ), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kScratch, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kScratch, KEY_READ), ERROR_SUCCESS);
}

TEST_F(RegKeyTest, OwnershipMovesAndReplacedKeysAreClosed) {
    RegKey first;
    RegKey second;
    ASSERT_EQ(first.Create(HKEY_CURRENT_USER, kScratch + u"\\A", KEY_READ), ERROR_SUCCESS);
    ASSERT_EQ(second.Create(HKEY_CURRENT_USER, kScratch + u"\\B", KEY_READ), ERROR_SUCCESS);
    const HKEY firstHandle = first.Get();
    const HKEY secondHandle = second.Get();

    RegKey moved(std::move(first));
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(moved.Get(), firstHandle);
    second = std::move(moved);
    EXPECT_EQ(moved.Get(), nullptr);
    EXPECT_EQ(second.Get(), firstHandle);
    EXPECT_TRUE(IsClosed(secondHandle));
    EXPECT_FALSE(IsClosed(firstHandle));
    { RegKey last(std::move(second)); }
    EXPECT_TRUE(IsClosed(firstHandle));
}

TEST_F(RegKeyTest, FailedOpenReleasesTheKeyHeldBefore) {
    RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kScratch, KEY_READ), ERROR_SUCCESS);
    const HKEY held = key.Get();
    EXPECT_NE(key.Open(HKEY_CURRENT_USER, kScratch + u"\\Missing", KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(key.Get(), nullptr);
    EXPECT_TRUE(IsClosed(held));
}

TEST_F(RegKeyTest, ValuesAreReadWholeWithTheirType) {
    RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kScratch, KEY_READ | KEY_SET_VALUE), ERROR_SUCCESS);
    const WString big(50000, u'v');
    ASSERT_EQ(key.SetString(u"Big", big), ERROR_SUCCESS);
    ASSERT_EQ(key.SetDword(u"Number", 0x01020304), ERROR_SUCCESS);

    RegValue value;
    ASSERT_EQ(key.QueryValue(u"Big", value), ERROR_SUCCESS);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data.size(), (big.size() + 1) * 2);
    EXPECT_EQ(TextFromRegData(value.data), big);
    ASSERT_EQ(key.QueryValue(u"Number", value), ERROR_SUCCESS);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value.data, (std::vector<BYTE>{4, 3, 2, 1}));
    EXPECT_EQ(key.QueryValue(u"Missing", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_NONE));
    EXPECT_TRUE(value.data.empty());
}

TEST_F(RegKeyTest, SubKeyNamesAreBoundedByTheCaller) {
    RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kScratch + u"\\Twelve-units", KEY_READ), ERROR_SUCCESS);
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kScratch, KEY_ENUMERATE_SUB_KEYS), ERROR_SUCCESS);
    WString name = u"stale";
    EXPECT_EQ(key.EnumSubKey(0, 12, name), ERROR_SUCCESS);
    EXPECT_EQ(name, u"Twelve-units");
    EXPECT_EQ(key.EnumSubKey(0, 11, name), ERROR_MORE_DATA);
    EXPECT_EQ(name, u"");
    EXPECT_EQ(key.EnumSubKey(1, 12, name), ERROR_NO_MORE_ITEMS);
}

TEST(RegData, TextStopsAtTheTerminatorOrTheLastWholeUnit) {
    struct Case {
        std::vector<BYTE> data;
        WString expected;
    } cases[] = {
        {{}, u""},
        {{'a', 0, 'b', 0, 0, 0}, u"ab"},
        {{'a', 0, 'b', 0}, u"ab"},
        {{'a', 0, 'b'}, u"a"},
        {{'a', 0, 0, 0, 'c', 0}, u"a"},
        {{0x3A, 0xD8, 'x', 0}, WString{0xD83A, u'x'}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextFromRegData(c.data), c.expected) << c.data.size() << " bytes";
    }
}

}  // namespace
