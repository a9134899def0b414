// Start-up of the real program: which device is shown first, the no-device warning, the debug start
// from the skin, and the device remembered at the end.
#include <gtest/gtest.h>

#include "HostTestSupport.h"
#include "ui/WinString.h"

namespace {

// The first InitialPageInfo in the log names the device shown first.
std::string FirstShown(const HostInstall& install) {
    for (const std::string& call : install.Calls()) {
        const size_t at = call.find(" InitialPageInfo hwnd");
        if (at != std::string::npos) {
            return call.substr(0, at);
        }
    }
    return "";
}

struct StartCase {
    const char* name;
    std::vector<TestDevice> devices;
    const char16_t* remembered;  // null: no "ExitDeviceName"
    const char* shown;
};

}  // namespace

TEST(Startup, ShowsTheRememberedOrNearestPluggedDevice) {
    const StartCase cases[] = {
        {"remembered and plugged wins over earlier ones",
         {{u"Alpha", 1}, {u"Bravo", 1}, {u"Charlie", 1}},
         u"Bravo",
         "Bravo"},
        {"remembered unplugged: the first plugged after it",
         {{u"Alpha", 1}, {u"Bravo", 0}, {u"Charlie", 1}},
         u"Bravo",
         "Charlie"},
        {"remembered unplugged, only earlier ones plugged: the nearest before it",
         {{u"Alpha", 1}, {u"Bravo", 1}, {u"Charlie", 0}},
         u"Charlie",
         "Bravo"},
        {"unknown name counts as the first record",
         {{u"Alpha", 0}, {u"Bravo", 0}, {u"Charlie", 1}},
         u"Nobody",
         "Charlie"},
        {"nothing remembered", {{u"Alpha", 0}, {u"Bravo", 1}}, nullptr, "Bravo"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceSandbox sandbox;
        HostInstall install;
        install.AddDevices(sandbox, c.devices);
        if (c.remembered) {
            sandbox.SetUserValue(u"ExitDeviceName", StringBytes(c.remembered));
        }
        HostProcess host(install, L"--ignored argument");
        const HWND window = host.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForCall(install, std::string(c.shown) + " InitialPageInfo hwnd"));
        EXPECT_EQ(FirstShown(install), c.shown);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(host.WaitForExit());
        EXPECT_EQ(ExitDeviceName(sandbox), FromUtf8(c.shown));
    }
}

TEST(Startup, WithoutAPluggedDeviceWarnsAndEnds) {
    for (const std::vector<TestDevice>& devices :
         {std::vector<TestDevice>{}, std::vector<TestDevice>{{u"Alpha", 0}, {u"Bravo", 0}}}) {
        SCOPED_TRACE(devices.size());
        DeviceSandbox sandbox;
        sandbox.CreateEmptyRoot();
        HostInstall install;
        install.AddDevices(sandbox, devices);
        HostProcess host(install);
        ASSERT_NE(host.WaitForWarning(), nullptr);
        EXPECT_TRUE(host.Running());
        ASSERT_TRUE(host.AnswerWarning());
        EXPECT_TRUE(host.WaitForExit());
        EXPECT_EQ(install.Calls(), std::vector<std::string>{}) << "no module may be loaded";
    }
}

// The debug start loads the module of the program's own folder for the named device, whatever is
// plugged or remembered; with DEBUG 0 the normal choice holds.
TEST(Startup, DebugGroupLoadsTheProgramFoldersModule) {
    struct DebugCase {
        const char* debug;
        const char* name;
        std::vector<std::string> calls;
        const char16_t* remembered;  // "ExitDeviceName" afterwards
    };
    const DebugCase cases[] = {
        {"1",
         "Charlie",
         {"Host DllMain attach", "Host InitialPageInfo hwnd", "Host SetPreAndNextDev prev=Alpha next=Delta"},
         u"Charlie"},
        // An unknown debug name leaves the first record current.
        {"1",
         "Nobody",
         {"Host DllMain attach", "Host InitialPageInfo hwnd", "Host SetPreAndNextDev prev= next=Charlie"},
         u"Alpha"},
        {"0",
         "Charlie",
         {"Delta DllMain attach", "Delta InitialPageInfo hwnd", "Delta SetPreAndNextDev prev=Charlie next="},
         u"Delta"},
    };
    for (const DebugCase& c : cases) {
        SCOPED_TRACE(std::string(c.debug) + " " + c.name);
        DeviceSandbox sandbox;
        HostInstall install;
        install.AddDevices(sandbox, {{u"Alpha", 1}, {u"Bravo", 0}, {u"Charlie", 1}, {u"Delta", 1}});
        sandbox.SetUserValue(u"ExitDeviceName", StringBytes(u"Delta"));
        install.PutModule(install.HostFolder(), PageModule::kFull);
        install.WriteHostFile("FrameSkins.xml", std::string("<FrameSkin><DEBUG><DEBUG>") + c.debug +
                                                    "</DEBUG><DEBUG_NAME>" + c.name +
                                                    "</DEBUG_NAME></DEBUG></FrameSkin>");
        HostProcess host(install);
        const HWND window = host.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(Settle(install, window));
        EXPECT_EQ(install.Calls([](const std::string& line) {
            return line.find("SetPreAndNextDev") != std::string::npos ||
                   line.find("InitialPageInfo") != std::string::npos ||
                   line.find("DllMain") != std::string::npos;
        }),
                  c.calls);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(host.WaitForExit());
        EXPECT_EQ(ExitDeviceName(sandbox), c.remembered);
    }
}
