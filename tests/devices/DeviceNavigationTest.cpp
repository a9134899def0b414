// Lookup, plugged-device navigation and the start-up choice over in-memory record lists.
#include <gtest/gtest.h>

#include <initializer_list>

#include "devices/DeviceNavigation.h"

namespace {

struct Entry {
    const char16_t* keyName;
    int32_t plug;
};

DeviceList Devices(std::initializer_list<Entry> entries) {
    DeviceList devices;
    for (const Entry& entry : entries) {
        TEMBRA_DEVICE_INFO device{};
        SetDeviceField(device.szKeyName, entry.keyName);
        device.nPlug = entry.plug;
        devices.push_back(device);
    }
    return devices;
}

// X plugged, Y not, Z plugged.
const DeviceList kXyz = Devices({{u"X", 1}, {u"Y", 0}, {u"Z", 1}});

TEST(DeviceNavigation, FindsWholeNamesCaseSensitively) {
    const DeviceList devices = Devices({{u"Mouse", 1}, {u"Mouse2", 0}, {u"Keyboard", 1}});
    struct Case {
        const char16_t* name;
        int expected;
    } cases[] = {
        {u"Mouse", 0}, {u"Mouse2", 1},   {u"Keyboard", 2}, {u"mouse", -1},
        {u"Mous", -1}, {u"Mouse22", -1}, {u"", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindDeviceIndex(devices, c.name), c.expected) << ToUtf8(c.name);
    }
}

TEST(DeviceNavigation, ExplicitStartsIncludeTheStartAndNeverWrap) {
    struct Case {
        int start;
        const char16_t* next;
        const char16_t* prev;
    } cases[] = {
        {-7, u"X", u""}, {0, u"X", u"X"}, {1, u"Z", u"X"},        {2, u"Z", u"Z"},
        {3, u"", u"Z"},  {9, u"", u"Z"},  {INT32_MIN, u"X", u""}, {INT32_MAX, u"", u"Z"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextPluggedKeyName(kXyz, c.start), c.next) << "start " << c.start;
        EXPECT_EQ(PrevPluggedKeyName(kXyz, c.start), c.prev) << "start " << c.start;
    }
}

TEST(DeviceNavigation, NegativePlugCountsAsPluggedAndEmptyListHasNothing) {
    const DeviceList devices = Devices({{u"A", 0}, {u"B", -1}});
    EXPECT_EQ(NextPluggedKeyName(devices, 0), u"B");
    EXPECT_EQ(PrevPluggedKeyName(devices, 1), u"B");
    EXPECT_EQ(NextPluggedKeyName(DeviceList(), 0), u"");
    EXPECT_EQ(PrevPluggedKeyName(DeviceList(), 0), u"");
}

TEST(DeviceNavigation, StartChoice) {
    struct Case {
        const char* what;
        DeviceList devices;
        const char16_t* remembered;
        int expected;
    } cases[] = {
        {"remembered and plugged wins over earlier ones", Devices({{u"A", 1}, {u"B", 1}, {u"C", 1}}), u"C",
         2},
        {"remembered unplugged: first plugged after it",
         Devices({{u"A", 1}, {u"B", 0}, {u"C", 0}, {u"D", 1}}), u"B", 3},
        {"remembered unplugged, only earlier plugged: nearest before",
         Devices({{u"A", 1}, {u"B", 1}, {u"C", 0}, {u"D", 0}}), u"C", 1},
        {"empty name counts as the first record", Devices({{u"A", 0}, {u"B", 0}, {u"C", 1}}), u"", 2},
        {"name no longer installed counts as the first record", Devices({{u"A", 0}, {u"B", 0}, {u"C", 1}}),
         u"Gone", 2},
        {"lookup is case-sensitive", Devices({{u"A", 1}, {u"B", 1}}), u"b", 0},
        {"first record plugged and remembered unknown", Devices({{u"A", 1}, {u"B", 1}}), u"Gone", 0},
        {"nothing plugged", Devices({{u"A", 0}, {u"B", 0}}), u"B", -1},
        {"empty catalogue", DeviceList(), u"A", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseStartIndex(c.devices, c.remembered), c.expected) << c.what;
    }
}

}  // namespace
