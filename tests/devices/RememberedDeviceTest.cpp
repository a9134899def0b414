// The per-user values: the remembered device read at start and written at destruction, "DevicePlug", and
// the catalogue's navigation relative to its current device.
#include <gtest/gtest.h>

#include "DeviceSandbox.h"
#include "devices/SwitchDevice.h"

namespace {

class RememberedDevice : public ::testing::Test {
protected:
    void InstallXyz() const {
        m_sandbox.InstallPlugged(u"X", 1);
        m_sandbox.InstallPlugged(u"Y", 0);
        m_sandbox.InstallPlugged(u"Z", 1);
    }

    std::optional<WString> StoredExitName() const {
        const std::optional<RawValue> value = m_sandbox.UserValue(u"ExitDeviceName");
        if (!value) {
            return std::nullopt;
        }
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        const WString text(reinterpret_cast<const char16_t*>(value->data.data()), value->data.size() / 2);
        EXPECT_EQ(text.back(), u'\0');  // written with its terminator, and only one
        return text.substr(0, text.size() - 1);
    }

    DeviceSandbox m_sandbox;
};

TEST_F(RememberedDevice, NavigationFromTheCurrentDevice) {
    InstallXyz();
    CSwitchDevice catalogue(CatalogueMode::kReadOnly);
    EXPECT_EQ(catalogue.GetNextPluggedDevice(-1), u"Z");
    EXPECT_EQ(catalogue.GetPrevPluggedDevice(-1), u"");
    EXPECT_EQ(catalogue.SelectDevice(u"Z"), 2);
    EXPECT_EQ(catalogue.GetPrevPluggedDevice(-1), u"X");
    EXPECT_EQ(catalogue.GetNextPluggedDevice(-1), u"");
    EXPECT_EQ(catalogue.GetNextPluggedDevice(1), u"Z");
    EXPECT_EQ(catalogue.GetPrevPluggedDevice(1), u"X");
}

TEST_F(RememberedDevice, SelectIsCaseSensitiveAndKeepsTheCurrentOnMiss) {
    InstallXyz();
    CSwitchDevice catalogue(CatalogueMode::kReadOnly);
    ASSERT_EQ(catalogue.SelectDevice(u"Y"), 1);
    EXPECT_EQ(catalogue.SelectDevice(u"z"), -1);
    EXPECT_EQ(catalogue.SelectDevice(u""), -1);
    EXPECT_EQ(catalogue.GetCurrentIndex(), 1);
    EXPECT_EQ(catalogue.GetDeviceKeyName(-1), u"");
    EXPECT_EQ(catalogue.GetDevicePath(3), u"");
}

TEST_F(RememberedDevice, ReadsOnlyStringValuesThatFit) {
    struct Case {
        const char* what;
        RawValue stored;
        WString expected;
    } cases[] = {
        {"string", StringBytes(u"Mouse"), u"Mouse"},
        {"expandable string, not expanded", StringBytes(u"%USERNAME%", REG_EXPAND_SZ), u"%USERNAME%"},
        {"unterminated string", UnterminatedBytes(u"Pad"), u"Pad"},
        {"259 units", StringBytes(WString(259, u'n')), WString(259, u'n')},
        {"260 units", StringBytes(WString(260, u'n')), u""},
        {"multi-string", StringBytes(u"Mouse", REG_MULTI_SZ), u""},
        {"binary", RawValue{REG_BINARY, StringBytes(u"Mouse").data}, u""},
        {"number", DwordBytes(0x4D), u""},
    };
    for (const Case& c : cases) {
        m_sandbox.SetUserValue(u"ExitDeviceName", c.stored);
        EXPECT_EQ(CSwitchDevice(CatalogueMode::kReadOnly).ReadExitDeviceName(), c.expected) << c.what;
    }
}

TEST_F(RememberedDevice, MissingKeyOrValueReadsEmpty) {
    EXPECT_EQ(CSwitchDevice(CatalogueMode::kReadOnly).ReadExitDeviceName(), u"");
    m_sandbox.CreateUserRoot();
    EXPECT_EQ(CSwitchDevice(CatalogueMode::kReadOnly).ReadExitDeviceName(), u"");
}

TEST_F(RememberedDevice, DestructionStoresTheCurrentDevice) {
    InstallXyz();
    m_sandbox.CreateUserRoot();
    {
        CSwitchDevice catalogue;
        catalogue.SelectDevice(u"Z");
    }
    EXPECT_EQ(StoredExitName(), u"Z");
    { CSwitchDevice nothingShown; }
    EXPECT_EQ(StoredExitName(), u"X");
    EXPECT_EQ(CSwitchDevice(CatalogueMode::kReadOnly).ReadExitDeviceName(), u"X");
}

TEST_F(RememberedDevice, EmptyOrShrunkCatalogueStoresAnEmptyName) {
    m_sandbox.CreateUserRoot();
    m_sandbox.SetUserValue(u"ExitDeviceName", StringBytes(u"Old"));
    { CSwitchDevice empty; }
    EXPECT_EQ(StoredExitName(), u"");

    InstallXyz();
    {
        CSwitchDevice catalogue;
        catalogue.SelectDevice(u"Z");
        m_sandbox.DenyDeviceKey(u"Z");
        catalogue.LoadDevices();
    }
    EXPECT_EQ(StoredExitName(), u"");
}

TEST_F(RememberedDevice, NothingIsWrittenWithoutTheUserKeyOrWhenReadOnly) {
    InstallXyz();
    { CSwitchDevice catalogue; }
    EXPECT_FALSE(m_sandbox.UserRootExists());

    m_sandbox.CreateUserRoot();
    m_sandbox.SetUserValue(u"ExitDeviceName", StringBytes(u"Y"));
    { CSwitchDevice readOnly(CatalogueMode::kReadOnly); }
    EXPECT_EQ(StoredExitName(), u"Y");
}

TEST_F(RememberedDevice, DevicePlugIsAFourByteNumber) {
    struct Case {
        const char* what;
        RawValue stored;
        uint32_t expected;
    } cases[] = {
        {"one", DwordBytes(1), 1},
        {"zero", DwordBytes(0), 0},
        {"all bits", DwordBytes(0xFFFFFFFF), 0xFFFFFFFF},
        {"two bytes, type not examined", RawValue{REG_BINARY, {2, 1}}, 0x0102},
        {"string, type not examined", StringBytes(u"1"), 0x31},
        {"eight bytes do not fit", RawValue{REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}}, 0},
        {"long string does not fit", StringBytes(u"plugged"), 0},
    };
    InstallXyz();
    for (const Case& c : cases) {
        m_sandbox.SetDevicePlug(u"Y", c.stored);
        EXPECT_EQ(CSwitchDevice(CatalogueMode::kReadOnly).IsDevicePlugged(u"Y"), c.expected) << c.what;
    }
}

TEST_F(RememberedDevice, DevicePlugMissingOrUnreachableIsZero) {
    InstallXyz();
    const CSwitchDevice catalogue(CatalogueMode::kReadOnly);
    EXPECT_EQ(catalogue.IsDevicePlugged(u"X"), 0u);
    m_sandbox.CreateUserRoot();
    m_sandbox.SetDevicePlug(u"X", DwordBytes(1));
    EXPECT_EQ(catalogue.IsDevicePlugged(u"X"), 1u);
    EXPECT_EQ(catalogue.IsDevicePlugged(u"Y"), 0u);
    const WString tooLong(231, u'L');
    m_sandbox.SetDevicePlug(tooLong, DwordBytes(1));
    EXPECT_EQ(catalogue.IsDevicePlugged(tooLong), 0u);
}

}  // namespace
