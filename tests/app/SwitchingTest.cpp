// Switching and refreshing in the real program, told by the page module's call log: the order of the
// calls on load, switch and shutdown, unplugged devices skipped, the end of the line, modules kept
// loaded by "ZQ455EXIT", the refresh message, and modules that switch or close from their own code.
#include <gtest/gtest.h>

#include "HostTestSupport.h"
#include "sdk/DashwellPage.h"
#include "tests/tools/ToolRunner.h"

namespace {

using Calls = std::vector<std::string>;

// The program started on devices in catalogue order, the first one remembered; by default Alpha and
// Charlie plugged, Bravo not.
class Switching : public testing::Test {
protected:
    void Start(const std::vector<TestDevice>& devices) {
        m_install.AddDevices(m_sandbox, devices);
        m_sandbox.SetUserValue(u"ExitDeviceName", StringBytes(devices.front().keyName));
        m_host = std::make_unique<HostProcess>(m_install);
        m_window = m_host->WaitForMainWindow();
        ASSERT_NE(m_window, nullptr);
    }
    void Start() { Start({{u"Alpha", 1}, {u"Bravo", 0}, {u"Charlie", 1}}); }

    void Post(UINT message, WPARAM wParam, LPARAM lParam) const {
        ASSERT_TRUE(PostMessageW(m_window, message, wParam, lParam));
    }
    void CloseAndWait() const {
        Post(WM_CLOSE, 0, 0);
        ASSERT_TRUE(m_host->WaitForExit());
    }
    Calls ModuleEvents() const { return m_install.Calls(IsModuleEvent); }

    DeviceSandbox m_sandbox;
    HostInstall m_install;
    std::unique_ptr<HostProcess> m_host;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(Switching, NextSkipsUnpluggedDevicesAndTheOldModuleGoesFirst) {
    Start();
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, 1);
    ASSERT_TRUE(WaitForCall(m_install, "Charlie SetPreAndNextDev prev=Alpha next="));
    // -1 as an unsigned 32-bit number, as a 32-bit sender's LPARAM arrives: still "previous".
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, static_cast<LPARAM>(0xFFFFFFFFu));
    ASSERT_TRUE(WaitForCall(m_install, "Alpha SetPreAndNextDev prev= next=Charlie"));
    CloseAndWait();
    EXPECT_EQ(ModuleEvents(),
              (Calls{"Alpha DllMain attach", "Alpha InitialPageInfo hwnd",
                     "Alpha SetPreAndNextDev prev= next=Charlie", "Alpha UnIntialPageInfo",
                     "Alpha DllMain detach", "Charlie DllMain attach", "Charlie InitialPageInfo hwnd",
                     "Charlie SetPreAndNextDev prev=Alpha next=", "Charlie UnIntialPageInfo",
                     "Charlie DllMain detach", "Alpha DllMain attach", "Alpha InitialPageInfo hwnd",
                     "Alpha SetPreAndNextDev prev= next=Charlie", "Alpha UnIntialPageInfo",
                     "Alpha DllMain detach"}));
}

// The module hears WM_DESTROY while loaded, then is told, then released; the device is remembered.
TEST_F(Switching, ShutdownOrder) {
    Start();
    CloseAndWait();
    const Calls calls = m_install.Calls([](const std::string& line) {
        return IsModuleEvent(line) || line.find("msg=0x2 ") != std::string::npos ||
               line.find("msg=0x10 ") != std::string::npos;
    });
    EXPECT_EQ(calls, (Calls{"Alpha DllMain attach", "Alpha InitialPageInfo hwnd",
                            "Alpha SetPreAndNextDev prev= next=Charlie",
                            "Alpha ProcessParentDef msg=0x10 wparam=0 lparam=0",
                            "Alpha ProcessParentDef msg=0x2 wparam=0 lparam=0", "Alpha UnIntialPageInfo",
                            "Alpha DllMain detach"}));
}

TEST_F(Switching, NoPluggedDeviceInThatDirectionWarnsThenCloses) {
    for (const LPARAM direction : {LPARAM{-1}, LPARAM{0}}) {
        SCOPED_TRACE(direction);
        DeviceSandbox sandbox;
        HostInstall install;
        install.AddDevices(sandbox, {{u"Alpha", 1}, {u"Bravo", 0}});
        HostProcess host(install);
        const HWND window = host.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        PostMessageW(window, DASHWELL_WM_DEVICE_SWITCH, 0, direction);
        ASSERT_NE(host.WaitForWarning(), nullptr);
        // The module stays until the window goes.
        EXPECT_EQ(install.Calls(IsModuleEvent).back(), "Alpha SetPreAndNextDev prev= next=");
        ASSERT_TRUE(host.AnswerWarning());
        ASSERT_TRUE(host.WaitForExit());
        EXPECT_EQ(install.Calls(IsModuleEvent).back(), "Alpha DllMain detach");
    }
}

TEST_F(Switching, ModuleExportingZQ455EXITIsNeverReleased) {
    Start({{u"Alpha", 1, PageModule::kKeep}, {u"Bravo", 1}});
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, 1);
    ASSERT_TRUE(WaitForCall(m_install, "Bravo SetPreAndNextDev prev=Alpha next="));
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, -1);
    ASSERT_TRUE(WaitForCall(m_install, "Bravo DllMain detach"));
    ASSERT_TRUE(Settle(m_install, m_window));
    CloseAndWait();
    EXPECT_EQ(ModuleEvents(), (Calls{"Alpha DllMain attach", "Alpha InitialPageInfo hwnd",
                                     "Alpha SetPreAndNextDev prev= next=Bravo", "Alpha UnIntialPageInfo",
                                     "Bravo DllMain attach", "Bravo InitialPageInfo hwnd",
                                     "Bravo SetPreAndNextDev prev=Alpha next=", "Bravo UnIntialPageInfo",
                                     "Bravo DllMain detach", "Alpha InitialPageInfo hwnd",
                                     "Alpha SetPreAndNextDev prev= next=Bravo", "Alpha UnIntialPageInfo",
                                     "Alpha DllMain detach exit"}));
}

// The refresh message: neighbours again, then the module asked with the current device's plugged
// state from "DevicePlug"; only an unplugged device with the answer 1 closes the window.
TEST(Refresh, ClosesOnlyForAnUnpluggedDeviceWhoseModuleAsks) {
    struct RefreshCase {
        const char* name;
        uint32_t alphaPlug;  // "DevicePlug" at the time of the refresh
        const char16_t* answer;
        bool closes;
    };
    const RefreshCase cases[] = {
        {"still plugged, module answers 1", 1, u"1", false},
        {"unplugged, module answers 0", 0, u"0", false},
        {"unplugged, module answers 1", 0, u"1", true},
    };
    for (const RefreshCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceSandbox sandbox;
        HostInstall install;
        install.AddDevices(sandbox, {{u"Alpha", 1}, {u"Bravo", 0}, {u"Charlie", 1}});
        ScopedEnvironment answer(u"DASHWELL_MODULE_REFRESH_ANSWER", c.answer);
        HostProcess host(install);
        const HWND window = host.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        // Bravo comes and Alpha's "DevicePlug" changes; config.ini keeps Alpha plugged.
        sandbox.InstallPlugged(u"Bravo", 1);
        sandbox.SetDevicePlug(u"Alpha", DwordBytes(c.alphaPlug));
        PostMessageW(window, DASHWELL_WM_DEVICE_REFRESH, 7, 0);
        const std::string asked =
            "Alpha ProcessFunction msg=0x5401 wparam=7 lparam=" + std::to_string(c.alphaPlug) + " -> " +
            ToUtf8(c.answer);
        ASSERT_TRUE(WaitForCall(install, asked));
        if (c.closes) {
            EXPECT_TRUE(host.WaitForExit());
        } else {
            ASSERT_TRUE(Settle(install, window));
            EXPECT_TRUE(host.Running());
            PostMessageW(window, WM_CLOSE, 0, 0);
            ASSERT_TRUE(host.WaitForExit());
        }
        const std::vector<std::string> calls = install.Calls(IsModuleEvent);
        EXPECT_EQ(std::vector<std::string>(calls.begin() + 3, calls.begin() + 5),
                  (std::vector<std::string>{"Alpha SetPreAndNextDev prev= next=Bravo", asked}))
            << "neighbours again first; the module stays loaded";
    }
}

// A module that sends the switch from inside InitialPageInfo is not released under its own feet: the
// switch waits until the call has returned.
TEST_F(Switching, SentFromInsideTheModuleWaitsForItToReturn) {
    ScopedEnvironment send(u"DASHWELL_MODULE_SEND_ON_INIT", u"next");
    Start({{u"Alpha", 1}, {u"Bravo", 1}});
    ASSERT_TRUE(WaitForCall(m_install, "Bravo SetPreAndNextDev prev=Alpha next="));
    CloseAndWait();
    EXPECT_EQ(
        ModuleEvents(),
        (Calls{"Alpha DllMain attach", "Alpha InitialPageInfo hwnd",
               "Alpha InitialPageInfo send msg=0x5400 lparam=1", "Alpha InitialPageInfo sent msg=0x5400 -> 0",
               "Alpha SetPreAndNextDev prev= next=Bravo", "Alpha UnIntialPageInfo", "Alpha DllMain detach",
               "Bravo DllMain attach", "Bravo InitialPageInfo hwnd",
               "Bravo SetPreAndNextDev prev=Alpha next=", "Bravo UnIntialPageInfo", "Bravo DllMain detach"}));
}

TEST(HostileModules, ModuleClosingTheWindowFromItsOwnCode) {
    DeviceSandbox sandbox;
    HostInstall install;
    install.AddDevices(sandbox, {{u"Alpha", 1}});
    ScopedEnvironment close(u"DASHWELL_MODULE_CLOSE_ON_INIT", u"1");
    HostProcess host(install);
    ASSERT_TRUE(host.WaitForExit());
    const std::vector<std::string> calls = install.Calls(IsModuleEvent);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "Alpha DllMain detach");
}

// Export sets: without "InitialPageInfo" no neighbours are given at load, but the refresh still gives
// them; a module with only two exports is still told and released.
TEST_F(Switching, MissingExportsAreSkipped) {
    Start({{u"Alpha", 1, PageModule::kNoInit}, {u"Bravo", 1, PageModule::kBare}});
    ASSERT_TRUE(Settle(m_install, m_window));
    Post(DASHWELL_WM_DEVICE_REFRESH, 0, 0);
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, 1);
    ASSERT_TRUE(WaitForCall(m_install, "Bravo DllMain attach"));
    ASSERT_TRUE(Settle(m_install, m_window));
    CloseAndWait();
    EXPECT_EQ(ModuleEvents(), (Calls{"Alpha DllMain attach", "Alpha SetPreAndNextDev prev= next=Bravo",
                                     "Alpha ProcessFunction msg=0x5401 wparam=0 lparam=1 -> 0",
                                     "Alpha UnIntialPageInfo", "Alpha DllMain detach", "Bravo DllMain attach",
                                     "Bravo UnIntialPageInfo", "Bravo DllMain detach"}));
}

// In a debug start, switching back to the debug device loads the program folder's module again, not
// the one in the device's own folder.
TEST_F(Switching, BackToTheDebugDeviceUsesTheProgramFolder) {
    m_install.PutModule(m_install.HostFolder(), PageModule::kFull);
    m_install.WriteHostFile(
        "FrameSkins.xml",
        "<FrameSkin><DEBUG><DEBUG>1</DEBUG><DEBUG_NAME>Alpha</DEBUG_NAME></DEBUG></FrameSkin>");
    Start({{u"Alpha", 1}, {u"Bravo", 1}});
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, 1);
    ASSERT_TRUE(WaitForCall(m_install, "Bravo SetPreAndNextDev prev=Alpha next="));
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, -1);
    ASSERT_TRUE(WaitForCall(m_install, "Host SetPreAndNextDev prev= next=Bravo"));
    CloseAndWait();
    const Calls loads = m_install.Calls(
        [](const std::string& line) { return line.find("InitialPageInfo") != std::string::npos; });
    EXPECT_EQ(loads, (Calls{"Host InitialPageInfo hwnd", "Bravo InitialPageInfo hwnd",
                            "Host InitialPageInfo hwnd"}));
    EXPECT_EQ(ExitDeviceName(m_sandbox), u"Alpha");
}

// Once the no-device warning is up the window is closing: a switch asked for meanwhile is void.
TEST_F(Switching, AskedWhileTheNoDeviceWarningIsUpIsVoid) {
    Start({{u"Alpha", 1}, {u"Bravo", 1}});
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, -1);
    ASSERT_NE(m_host->WaitForWarning(), nullptr);
    Post(DASHWELL_WM_DEVICE_SWITCH, 0, 1);
    ASSERT_TRUE(m_host->AnswerWarning());
    ASSERT_TRUE(m_host->WaitForExit());
    for (const std::string& call : m_install.Calls()) {
        EXPECT_EQ(call.rfind("Bravo ", 0), std::string::npos) << call;
    }
    EXPECT_EQ(ExitDeviceName(m_sandbox), u"Alpha");
}

// devsim, standing in for the device software, finds the running host by its title.
TEST_F(Switching, DevsimSendSwitchesAndRefreshes) {
    Start({{u"Alpha", 1}, {u"Bravo", 1}});
    EXPECT_EQ(RunTool(DEVSIM_PATH, {"send", "next"}).exitCode, 0);
    ASSERT_TRUE(WaitForCall(m_install, "Bravo SetPreAndNextDev prev=Alpha next="));
    EXPECT_EQ(RunTool(DEVSIM_PATH, {"send", "refresh"}).exitCode, 0);
    ASSERT_TRUE(WaitForCall(m_install, "Bravo ProcessFunction msg=0x5401 wparam=0 lparam=1 -> 0"));
    EXPECT_EQ(RunTool(DEVSIM_PATH, {"send", "prev"}).exitCode, 0);
    ASSERT_TRUE(WaitForCall(m_install, "Alpha SetPreAndNextDev prev= next=Bravo"));
    CloseAndWait();
    EXPECT_EQ(RunTool(DEVSIM_PATH, {"send", "next"}).exitCode, 1) << "no host runs any more";
}
