// The sample page module in a stand-in host window: its page, its buttons, its answers, its clean-up,
// and the device it finds by its own folder in the Wine prefix's registry.
#include <gtest/gtest.h>

#include "ModuleTestSupport.h"
#include "modules/sample/PageWindow.h"
#include "tests/devices/DeviceSandbox.h"
#include "ui/WinString.h"

namespace {

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

class SampleModule : public ::testing::Test {
protected:
    // The page must go before the module does, whatever a test left behind.
    ~SampleModule() override { m_module.UnIntialPageInfo(); }

    HWND Page() const { return FindWindowExW(m_host.Handle(), nullptr, kSamplePageClassName, nullptr); }
    HWND Control(int controlId) const { return GetDlgItem(Page(), controlId); }
    std::string Text(int controlId) const {
        wchar_t text[512] = {};
        GetWindowTextW(Control(controlId), text, std::size(text));
        return ToUtf8(FromWin(text));
    }
    void Click(int controlId) const { SendMessageW(Control(controlId), BM_CLICK, 0, 0); }
    BOOL PressKey(WPARAM key) const {
        MSG keyDown = {m_host.Handle(), WM_KEYDOWN, key, 0, 0, {}};
        return m_module.DllPreTranslateMessage(&keyDown);
    }

    DeviceSandbox m_sandbox;  // no devices installed unless a test installs them
    TestHost m_host{900, 600};
    LoadedModule m_module{"sample"};
};

TEST_F(SampleModule, PageCoversTheHostAndShowsAnUnknownDevice) {
    m_module.InitialPageInfo(m_host.Handle());
    const HWND page = Page();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(GetWindowLongW(page, GWL_STYLE) & WS_VISIBLE);  // the host is hidden in these tests
    EXPECT_EQ(ClientSize(page).cx, 900);
    EXPECT_EQ(ClientSize(page).cy, 600);
    EXPECT_EQ(Text(kDeviceNameLabel), "Unknown device");
    EXPECT_EQ(Text(kDeviceTypeLabel), "Not reported");
    EXPECT_EQ(Text(kFirmwareLabel), "Not reported");
    // Until the host names the neighbours there is nowhere to go.
    EXPECT_FALSE(IsWindowEnabled(Control(kPreviousButton)));
    EXPECT_FALSE(IsWindowEnabled(Control(kNextButton)));
    EXPECT_TRUE(IsWindowEnabled(Control(kCloseButton)));

    std::vector<int> ids;
    EnumChildWindows(
        m_host.Handle(),
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<int>*>(found)->push_back(GetDlgCtrlID(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ids));
    EXPECT_EQ(ids.size(), 9u);  // the page, three buttons, five labels
    for (int id : ids) {
        EXPECT_GE(id, 1000);
    }
}

TEST_F(SampleModule, NeighboursEnableTheButtonsAndAreShown) {
    struct Case {
        const wchar_t* previous;
        const wchar_t* next;
    };
    m_module.InitialPageInfo(m_host.Handle());
    for (const Case& c : {Case{L"", L"Keyboard"}, Case{L"Mouse", L""}, Case{L"Mouse", L"Keyboard"},
                          Case{L"", L""}, Case{nullptr, nullptr}}) {
        const std::string previous = ToUtf8(FromWin(c.previous));
        const std::string next = ToUtf8(FromWin(c.next));
        SCOPED_TRACE(previous + "|" + next);
        m_module.SetPreAndNextDev(c.previous, c.next);
        EXPECT_EQ(IsWindowEnabled(Control(kPreviousButton)) != FALSE, !previous.empty());
        EXPECT_EQ(IsWindowEnabled(Control(kNextButton)) != FALSE, !next.empty());
        EXPECT_EQ(Text(kPreviousNameLabel), previous);
        EXPECT_EQ(Text(kNextNameLabel), next);
    }
}

TEST_F(SampleModule, ButtonsAndArrowKeysPostToTheHost) {
    m_module.InitialPageInfo(m_host.Handle());
    m_module.SetPreAndNextDev(L"Mouse", L"Keyboard");
    struct Case {
        std::function<void()> press;
        UINT message;
        LPARAM lParam;
    };
    const Case cases[] = {
        {[&] { Click(kNextButton); }, DASHWELL_WM_DEVICE_SWITCH, 1},
        {[&] { Click(kPreviousButton); }, DASHWELL_WM_DEVICE_SWITCH, -1},
        {[&] { Click(kCloseButton); }, WM_CLOSE, 0},
        {[&] { EXPECT_TRUE(PressKey(VK_RIGHT)); }, DASHWELL_WM_DEVICE_SWITCH, 1},
        {[&] { EXPECT_TRUE(PressKey(VK_LEFT)); }, DASHWELL_WM_DEVICE_SWITCH, -1},
    };
    for (const Case& c : cases) {
        c.press();
        const std::optional<HostMessage> posted = m_host.TakePosted(c.message);
        ASSERT_TRUE(posted);
        EXPECT_EQ(posted->lParam, c.lParam);
        // Posted, never sent: the host must not switch while the module's code runs.
        EXPECT_TRUE(m_host.m_sent.empty());
        EXPECT_FALSE(m_host.TakePosted(c.message));
    }

    m_module.SetPreAndNextDev(L"", L"");
    EXPECT_FALSE(PressKey(VK_LEFT));
    EXPECT_FALSE(PressKey(VK_RIGHT));
    EXPECT_FALSE(PressKey(VK_ESCAPE));
    EXPECT_FALSE(m_host.TakePosted(DASHWELL_WM_DEVICE_SWITCH));
}

TEST_F(SampleModule, AsksToCloseOnlyWhenItsDeviceIsUnplugged) {
    m_module.InitialPageInfo(m_host.Handle());
    EXPECT_EQ(m_module.ProcessFunction(DASHWELL_WM_DEVICE_REFRESH, 0, 0), 1);
    EXPECT_EQ(m_module.ProcessFunction(DASHWELL_WM_DEVICE_REFRESH, 0, 1), 0);
    EXPECT_EQ(m_module.ProcessFunction(WM_USER + 1, 0, 0), 0);
}

TEST_F(SampleModule, FollowsTheHostsSize) {
    m_module.InitialPageInfo(m_host.Handle());
    SetWindowPos(m_host.Handle(), nullptr, 0, 0, 700, 480, SWP_NOMOVE | SWP_NOZORDER);
    m_module.ProcessParentDef(WM_SIZE, SIZE_RESTORED, MAKELPARAM(700, 480));
    EXPECT_EQ(ClientSize(Page()).cx, 700);
    EXPECT_EQ(ClientSize(Page()).cy, 480);
    RECT next = {};
    GetWindowRect(Control(kNextButton), &next);
    MapWindowPoints(nullptr, Page(), reinterpret_cast<POINT*>(&next), 2);
    EXPECT_LE(next.right, 700);
    EXPECT_LE(next.bottom, 480);
    EXPECT_GT(next.left, 350);  // still at the right-hand side
}

TEST_F(SampleModule, UnIntialPageInfoDestroysThePageAndItsClass) {
    m_module.InitialPageInfo(m_host.Handle());
    const HWND page = Page();
    ASSERT_NE(page, nullptr);
    WNDCLASSEXW windowClass = {sizeof windowClass};
    EXPECT_TRUE(GetClassInfoExW(m_module.Handle(), kSamplePageClassName, &windowClass));

    m_module.UnIntialPageInfo();
    EXPECT_FALSE(IsWindow(page));
    EXPECT_FALSE(GetClassInfoExW(m_module.Handle(), kSamplePageClassName, &windowClass));
    // Without a page the other entry points have nothing to do.
    m_module.SetPreAndNextDev(L"Mouse", L"Keyboard");
    m_module.ProcessParentDef(WM_SIZE, 0, 0);
    EXPECT_FALSE(PressKey(VK_RIGHT));

    m_module.InitialPageInfo(m_host.Handle());
    EXPECT_NE(Page(), nullptr);
}

TEST_F(SampleModule, WithoutAValidHostThereIsNoPage) {
    m_module.InitialPageInfo(nullptr);
    m_module.SetPreAndNextDev(L"Mouse", L"Keyboard");
    EXPECT_EQ(Page(), nullptr);
    WNDCLASSEXW windowClass = {sizeof windowClass};
    EXPECT_FALSE(GetClassInfoExW(m_module.Handle(), kSamplePageClassName, &windowClass));
}

WString Upper(WString text) {
    CharUpperBuffW(WinBuf(text.data()), static_cast<DWORD>(text.size()));
    return text;
}

WString WithSlashes(WString text) {
    for (char16_t& unit : text) {
        if (unit == u'\\') {
            unit = u'/';
        }
    }
    return text;
}

TEST_F(SampleModule, ShowsTheDeviceWhosePathIsItsFolder) {
    const WString folder = ModuleFolderPath("sample");
    struct Case {
        WString path;
        bool bFound;
    };
    const Case cases[] = {
        {folder, true},
        {Upper(folder) + u"\\", true},
        {WithSlashes(folder) + u"/", true},
        {folder.substr(0, folder.rfind(u'\\')), false},  // the parent folder
        {folder + u"x", false},
        {folder + u"\\sub", false},
        {u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.path));
        DeviceSandbox sandbox;
        sandbox.InstallDevice(u"Keyboard", {{u"Name", u"Other"}, {u"Path", u"C:\\Devices\\Keyboard"}});
        sandbox.InstallDevice(u"Mouse",
                              {{u"Name", u"Vortex X7"}, {u"DeviceType", u"Mouse"}, {u"Path", c.path}});
        sandbox.WriteConfig(u"Mouse", "[Setting]\r\nFWVersion=2.4.1\r\nPlug=1\r\n");
        m_module.InitialPageInfo(m_host.Handle());
        EXPECT_EQ(Text(kDeviceNameLabel), c.bFound ? "Vortex X7" : "Unknown device");
        EXPECT_EQ(Text(kDeviceTypeLabel), c.bFound ? "Mouse" : "Not reported");
        EXPECT_EQ(Text(kFirmwareLabel), c.bFound ? "2.4.1" : "Not reported");
        m_module.UnIntialPageInfo();
    }
}

TEST_F(SampleModule, MissingDeviceValuesShowTheKeyNameAndNotReported) {
    m_sandbox.InstallDevice(u"Mouse", {{u"Path", ModuleFolderPath("sample")}});
    m_module.InitialPageInfo(m_host.Handle());
    EXPECT_EQ(Text(kDeviceNameLabel), "Mouse");
    EXPECT_EQ(Text(kDeviceTypeLabel), "Not reported");
    EXPECT_EQ(Text(kFirmwareLabel), "Not reported");
}

}  // namespace
