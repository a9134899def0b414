// Loading the catalogue from the machine hive and the devices' config.ini files in the Wine prefix.
#include <gtest/gtest.h>

#include "DeviceSandbox.h"
#include "devices/SwitchDevice.h"

namespace {

class CatalogueLoad : public ::testing::Test {
protected:
    // A read-only catalogue: these tests look at loading, not at what the host stores at its end.
    static CSwitchDevice Load() { return CSwitchDevice(CatalogueMode::kReadOnly); }

    static std::vector<WString> KeyNames(const CSwitchDevice& catalogue) {
        std::vector<WString> names;
        for (int i = 0; i < catalogue.GetDeviceCount(); ++i) {
            names.push_back(catalogue.GetDeviceKeyName(i));
        }
        return names;
    }

    DeviceSandbox m_sandbox;
};

TEST_F(CatalogueLoad, MissingOrEmptyRootGivesNoDevices) {
    EXPECT_EQ(Load().GetDeviceCount(), 0);
    m_sandbox.CreateEmptyRoot();
    const CSwitchDevice catalogue = Load();
    EXPECT_EQ(catalogue.GetDeviceCount(), 0);
    EXPECT_EQ(catalogue.GetCurrentIndex(), 0);
    EXPECT_EQ(catalogue.GetDeviceKeyName(0), u"");
}

TEST_F(CatalogueLoad, ReadsEveryFieldFromItsOwnSource) {
    m_sandbox.InstallDevice(u"Mouse", {{u"Dll", u"mouse.dll"},
                                       {u"Name", u"Glide Mouse"},
                                       {u"Path", u"C:\\Devices\\Mouse"},
                                       {u"DeviceType", u"mouse"},
                                       {u"Software Version", u"2.1"}});
    m_sandbox.WriteConfig(u"Mouse", "[Setting]\r\nFWVersion=1.07\r\nPlug=1\r\n");
    const std::optional<TEMBRA_DEVICE_INFO> device = Load().GetDevice(0);
    ASSERT_TRUE(device);
    EXPECT_EQ(GetDeviceField(device->szKeyName), u"Mouse");
    EXPECT_EQ(GetDeviceField(device->szDll), u"mouse.dll");
    EXPECT_EQ(GetDeviceField(device->szName), u"Glide Mouse");
    EXPECT_EQ(GetDeviceField(device->szPath), u"C:\\Devices\\Mouse");
    EXPECT_EQ(GetDeviceField(device->szDeviceType), u"mouse");
    EXPECT_EQ(GetDeviceField(device->szSoftwareVersion), u"2.1");
    EXPECT_EQ(GetDeviceField(device->szFWVersion), u"1.07");
    EXPECT_EQ(device->nPlug, 1);
}

TEST_F(CatalogueLoad, MissingValuesAndFileGiveEmptyFieldsAndUnplugged) {
    m_sandbox.InstallDevice(u"Bare", {{u"Name", u"Bare"}});
    const std::optional<TEMBRA_DEVICE_INFO> device = Load().GetDevice(0);
    ASSERT_TRUE(device);
    EXPECT_EQ(GetDeviceField(device->szPath), u"");
    EXPECT_EQ(GetDeviceField(device->szDll), u"");
    EXPECT_EQ(GetDeviceField(device->szFWVersion), u"");
    EXPECT_EQ(device->nPlug, 0);
}

TEST_F(CatalogueLoad, ValuesAreTakenAsStoredWithoutExpansion) {
    m_sandbox.InstallDevice(u"Pad");
    m_sandbox.SetDeviceValue(u"Pad", u"Path", StringBytes(u"%SystemRoot%\\Pad", REG_EXPAND_SZ));
    EXPECT_EQ(Load().GetDevicePath(0), u"%SystemRoot%\\Pad");
}

TEST_F(CatalogueLoad, UnreadableDeviceKeyIsLeftOutInOrder) {
    for (const char16_t* name : {u"Alpha", u"Bravo", u"Charlie"}) {
        m_sandbox.InstallDevice(name, {{u"Path", WString(u"C:\\") + name}});
    }
    m_sandbox.DenyDeviceKey(u"Bravo");
    const CSwitchDevice catalogue = Load();
    EXPECT_EQ(KeyNames(catalogue), (std::vector<WString>{u"Alpha", u"Charlie"}));
    EXPECT_EQ(catalogue.GetDevicePath(1), u"C:\\Charlie");
}

TEST_F(CatalogueLoad, PlugIsReadAsASaturatingDecimal) {
    struct Case {
        const char16_t* keyName;
        const char* config;  // nullptr: no config.ini at all
        int32_t plug;
    } cases[] = {
        {u"NoFile", nullptr, 0},
        {u"NoSection", "[Other]\r\nPlug=1\r\n", 0},
        {u"NoKey", "[Setting]\r\nFWVersion=3\r\n", 0},
        {u"Empty", "[Setting]\r\nPlug=\r\n", 0},
        {u"Letter", "[Setting]\r\nPlug=x\r\n", 0},
        {u"One", "[Setting]\r\nPlug=1\r\n", 1},
        {u"SpaceOne", "[Setting]\r\nPlug=\" 1\"\r\n", 1},
        {u"MinusOne", "[Setting]\r\nPlug=-1\r\n", -1},
        {u"DigitsThenText", "[Setting]\r\nPlug=12abc\r\n", 12},
        {u"TooBig", "[Setting]\r\nPlug=4294967296\r\n", 2147483647},
        {u"TooSmall", "[Setting]\r\nPlug=-4294967296\r\n", INT32_MIN},
    };
    for (const Case& c : cases) {
        m_sandbox.InstallDevice(c.keyName);
        if (c.config) {
            m_sandbox.WriteConfig(c.keyName, c.config);
        }
    }
    const CSwitchDevice catalogue = Load();
    ASSERT_EQ(catalogue.GetDeviceCount(), static_cast<int>(std::size(cases)));
    for (const Case& c : cases) {
        const std::optional<TEMBRA_DEVICE_INFO> device = catalogue.GetDevice(catalogue.FindDevice(c.keyName));
        ASSERT_TRUE(device) << ToUtf8(c.keyName);
        EXPECT_EQ(device->nPlug, c.plug) << ToUtf8(c.keyName);
    }
}

TEST_F(CatalogueLoad, ValuesFitWholeOrLeaveTheFieldEmpty) {
    const WString fits(259, u'p');
    const WString tooLong(260, u'q');
    struct Case {
        const char* what;
        RawValue stored;
        WString expected;
    } cases[] = {
        {"259 units and terminator", StringBytes(fits), fits},
        {"259 units unterminated", UnterminatedBytes(fits), fits},
        {"260 units", StringBytes(tooLong), u""},
        {"260 units unterminated", UnterminatedBytes(tooLong), u""},
        {"5000 units", StringBytes(WString(5000, u'r')), u""},
        {"text after the terminator", StringBytes(WString(u"C:\\a\0junk", 9)), u"C:\\a"},
    };
    for (const Case& c : cases) {
        m_sandbox.InstallDevice(u"Device");
        m_sandbox.SetDeviceValue(u"Device", u"Path", c.stored);
        m_sandbox.SetDeviceValue(u"Device", u"Software Version", c.stored);
        const std::optional<TEMBRA_DEVICE_INFO> device = Load().GetDevice(0);
        ASSERT_TRUE(device) << c.what;
        EXPECT_EQ(GetDeviceField(device->szPath), c.expected) << c.what;
        EXPECT_EQ(GetDeviceField(device->szSoftwareVersion), c.expected) << c.what;
        EXPECT_EQ(device->szPath[kMaxFieldText], u'\0') << c.what;
    }
}

TEST_F(CatalogueLoad, FirmwareVersionFitsWholeOrStaysEmpty) {
    const std::string fits(259, 'f');
    m_sandbox.InstallDevice(u"Fits");
    m_sandbox.WriteConfig(u"Fits", "[Setting]\r\nFWVersion=" + fits + "\r\nPlug=1\r\n");
    m_sandbox.InstallDevice(u"TooLong");
    m_sandbox.WriteConfig(u"TooLong", "[Setting]\r\nFWVersion=" + std::string(3000, 'g') + "\r\nPlug=1\r\n");
    const CSwitchDevice catalogue = Load();
    const std::optional<TEMBRA_DEVICE_INFO> whole = catalogue.GetDevice(catalogue.FindDevice(u"Fits"));
    const std::optional<TEMBRA_DEVICE_INFO> refused = catalogue.GetDevice(catalogue.FindDevice(u"TooLong"));
    ASSERT_TRUE(whole && refused);
    EXPECT_EQ(GetDeviceField(whole->szFWVersion), FromUtf8(fits));
    EXPECT_EQ(GetDeviceField(refused->szFWVersion), u"");
    EXPECT_EQ(refused->nPlug, 1);
}

// "Software\Varnix\DaderuVivazo\" is 29 units, so a key path holds a key name of at most 230 units.
TEST_F(CatalogueLoad, KeyNamesWhosePathWouldNotFitAreLeftOut) {
    const WString fits(230, u'k');
    const WString tooLong(231, u'k');
    const WString longest(256, u'm');
    for (const WString& name : {WString(u"Before"), fits, tooLong, longest, WString(u"zAfter")}) {
        m_sandbox.InstallDevice(name, {{u"Path", u"C:\\" + name.substr(0, 8)}});
    }
    const CSwitchDevice catalogue = Load();
    EXPECT_EQ(KeyNames(catalogue), (std::vector<WString>{u"Before", fits, u"zAfter"}));
    EXPECT_EQ(catalogue.GetDevicePath(1), u"C:\\kkkkkkkk");
}

TEST_F(CatalogueLoad, ConfigPathThatWouldNotFitCountsAsNoFile) {
    const WString root = DeviceSandbox::ConfigRoot();
    // root + "\" + name + "\config.ini" is 260 units: one too many. The file is there (written through a
    // long-path name) but must not be read; Wine's profile functions cannot read such a path either, so
    // here this checks that the device stays listed and unplugged, and DevicePaths checks the refusal.
    const WString name(260 - root.size() - 1 - 11, u'c');
    m_sandbox.InstallDevice(name);
    m_sandbox.WriteConfigAt(u"\\\\?\\" + root + u'\\' + name + u"\\config.ini", "[Setting]\r\nPlug=1\r\n");
    m_sandbox.InstallDevice(name.substr(1));
    m_sandbox.WriteConfig(name.substr(1), "[Setting]\r\nPlug=1\r\n");
    const CSwitchDevice catalogue = Load();
    ASSERT_EQ(catalogue.GetDeviceCount(), 2);
    EXPECT_EQ(catalogue.GetDevice(catalogue.FindDevice(name)).value().nPlug, 0);
    EXPECT_EQ(catalogue.GetDevice(catalogue.FindDevice(name.substr(1))).value().nPlug, 1);
}

TEST_F(CatalogueLoad, ReloadKeepsTheCurrentIndexEvenPastTheEnd) {
    for (const char16_t* name : {u"A", u"B", u"C"}) {
        m_sandbox.InstallPlugged(name, 1);
    }
    CSwitchDevice catalogue = Load();
    ASSERT_EQ(catalogue.SelectDevice(u"C"), 2);
    m_sandbox.DenyDeviceKey(u"B");
    m_sandbox.DenyDeviceKey(u"C");
    catalogue.LoadDevices();
    EXPECT_EQ(catalogue.GetDeviceCount(), 1);
    EXPECT_EQ(catalogue.GetCurrentIndex(), 2);
    EXPECT_EQ(catalogue.GetDeviceKeyName(catalogue.GetCurrentIndex()), u"");
    EXPECT_EQ(catalogue.GetPrevPluggedDevice(-1), u"A");
}

}  // namespace
