// The program as a whole: one instance at a time, keys that must not close it, the window's outline,
// devices whose module cannot or must not be loaded, and the pure helpers of module loading.
#include <gtest/gtest.h>

#include <fstream>

#include "HostTestSupport.h"
#include "app/PageModule.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/tools/ToolRunner.h"
#include "ui/WinString.h"

namespace {

// Colours of screen points as ImageMagick reads them from a screenshot: "RRGGBB" each.
std::vector<std::string> ScreenColours(const std::vector<POINT>& points) {
    std::string format;
    for (const POINT& p : points) {
        format += "%[hex:p{" + std::to_string(p.x) + "," + std::to_string(p.y) + "}] ";
    }
    const std::string output = "/tmp/dashwell-app-tests-colours.txt";
    if (!RunLinuxCommand("import -window root png:- | convert png:- -format '" + format + "' info: > " +
                         output)) {
        return {};
    }
    std::ifstream file(HostPath(output));
    std::vector<std::string> colours;
    for (std::string colour; file >> colour;) {
        colours.push_back(colour.substr(0, 6));
    }
    return colours;
}

// Fills the X root window, which is what shows where no window is.
bool PaintDesktop(const std::string& colour) {
    const std::string picture = "/tmp/dashwell-app-tests-desktop.png";
    return RunLinuxCommand("convert -size 1280x1024 'xc:" + colour + "' " + picture +
                           " && { display -window root " + picture + " || true; }");
}

}  // namespace

TEST(SingleInstance, SecondInstanceEndsAtOnceAndTheFirstRunsOn) {
    DeviceSandbox sandbox;
    HostInstall install;
    install.AddDevices(sandbox, {{u"Alpha", 1}});
    HostProcess first(install);
    const HWND window = first.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    {
        HostProcess second(install);
        ASSERT_TRUE(second.Started());
        EXPECT_TRUE(second.WaitForExit(10000));
    }
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(window));
    const std::vector<std::string> calls = install.Calls(IsModuleEvent);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Alpha DllMain attach"), 1)
        << "the second instance loaded a module";
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit());

    HostProcess third(install);
    EXPECT_NE(third.WaitForMainWindow(), nullptr) << "the name is free again after the first ended";
}

// The module sees each key-down first; Escape and Return then go nowhere, not to the dialog's
// default buttons.
TEST(Keys, EscapeAndReturnDoNotCloseTheMainWindow) {
    DeviceSandbox sandbox;
    HostInstall install;
    install.AddDevices(sandbox, {{u"Alpha", 1}});
    HostProcess host(install);
    const HWND window = host.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(Settle(install, window));
    EXPECT_TRUE(host.Running());
    const std::vector<std::string> keys = install.Calls(
        [](const std::string& line) { return line.find("DllPreTranslateMessage") != std::string::npos; });
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha DllPreTranslateMessage msg=0x100 wparam=0x1b -> 0",
                                              "Alpha DllPreTranslateMessage msg=0x100 wparam=0xd -> 0"}));
}

// A ring-shaped mask: white is outside the window. The desktop is painted magenta first, so what a
// screenshot shows outside the outline is the desktop and inside it the window.
TEST(WindowShape, ScreenshotShowsTheDesktopOutsideTheMask) {
    DeviceSandbox sandbox;
    HostInstall install;
    install.AddDevices(sandbox, {{u"Alpha", 1}});
    install.WriteHostFile("FrameSkins.xml",
                          "<FrameSkin><BASE><BK_MASK>frame.bmp</BK_MASK></BASE></FrameSkin>");
    install.WriteHostFile("skins\\frame.bmp", BmpFile(200, 160, RGB(255, 255, 255),
                                                      {{{20, 20, 180, 140}, RGB(0, 0, 0)},
                                                       {{80, 60, 120, 100}, RGB(255, 255, 255)}}));
    ASSERT_TRUE(PaintDesktop("#ff00ff"));
    HostProcess host(install);
    const HWND window = host.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Settle(install, window));
    Sleep(500);  // for the X server to show the shaped window
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 200);
    EXPECT_EQ(frame.bottom - frame.top, 160);
    auto at = [&](int x, int y) { return POINT{frame.left + x, frame.top + y}; };
    const std::vector<std::string> colours =
        ScreenColours({at(5, 5), at(190, 150), at(100, 80), at(30, 30), at(170, 130)});
    SaveScreenshot("app-window-shape.png");
    ASSERT_EQ(colours.size(), 5u);
    EXPECT_EQ(colours[0], "FF00FF") << "corner outside the outline";
    EXPECT_EQ(colours[1], "FF00FF") << "other corner outside the outline";
    EXPECT_EQ(colours[2], "FF00FF") << "the hole in the middle";
    EXPECT_NE(colours[3], "FF00FF") << "inside the outline";
    EXPECT_NE(colours[4], "FF00FF") << "inside the outline";
    PaintDesktop("black");
}

// No module, a folder too long for the application directory, a relative folder: the window stays,
// empty, and the device is still the one remembered. Nothing is taken from the current directory.
TEST(UnloadableModules, TheWindowStaysEmptyAndTheDeviceIsRemembered) {
    struct Case {
        const char* name;
        WString path;  // empty: the device's own folder, which has no module
    };
    const Case cases[] = {
        {"no Setting.dll", u""},
        {"folder too long", u"C:\\" + WString(300, u'x')},
        {"relative folder", u"rel"},
        {"drive-relative folder", u"\\rel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceSandbox sandbox;
        HostInstall install;
        install.AddDevices(sandbox, {{u"Alpha", 1, PageModule::kNone}});
        if (!c.path.empty()) {
            sandbox.SetDeviceValue(u"Alpha", u"Path", StringBytes(c.path));
        }
        // A module where a relative path would find it: in the program's current directory.
        const WString current = install.DeviceFolder(u"Current");
        CreateDirectoryW(WinStr(current), nullptr);
        CreateDirectoryW(WinStr(current + u"\\rel"), nullptr);
        install.PutModule(current + u"\\rel", PageModule::kFull);
        install.PutModule(current, PageModule::kFull);
        HostProcess host(install, L"", current);
        const HWND window = host.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        Sleep(300);
        EXPECT_TRUE(host.Running());
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(host.WaitForExit());
        EXPECT_EQ(install.Calls(), std::vector<std::string>{});
        EXPECT_EQ(ExitDeviceName(sandbox), u"Alpha");
    }
}

TEST(PageModuleFile, IsTheFoldersSettingDllByAnAbsolutePathOnly) {
    struct Case {
        WString path;
        std::optional<WString> file;
    };
    const Case cases[] = {
        {u"C:\\Devices\\Mouse\\", u"C:\\Devices\\Mouse\\Setting.dll"},
        {u"C:\\Devices\\Mouse", u"C:\\Devices\\Setting.dll"},  // the last part is a file name
        {u"C:/Devices/Mouse/", u"C:/Devices/Mouse/Setting.dll"},
        {u"C:\\Devices\\Mouse\\\\", u"C:\\Devices\\Mouse\\\\Setting.dll"},
        {u"\\\\server\\share\\Mouse\\", u"\\\\server\\share\\Mouse\\Setting.dll"},
        {u"C:\\", u"C:\\Setting.dll"},
        {u"", std::nullopt},
        {u"\\", std::nullopt},
        {u"Mouse\\", std::nullopt},
        {u"C:Mouse\\", std::nullopt},
        {u"\\\\\\", std::nullopt},
        {u"C:\\" + WString(244, u'x') + u"\\", u"C:\\" + WString(244, u'x') + u"\\Setting.dll"},
        {u"C:\\" + WString(245, u'x') + u"\\", std::nullopt},  // 260 units: one too many
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageModuleFile(c.path), c.file) << ToUtf8(c.path);
    }
}

TEST(MinimisedIcon, IsCentredInTheClientArea) {
    struct Case {
        RECT client;
        POINT corner;
    };
    const Case cases[] = {
        {{0, 0, 100, 60}, {34, 14}},
        {{0, 0, 101, 61}, {35, 15}},
        {{0, 0, 32, 32}, {0, 0}},
        {{0, 0, 0, 0}, {-15, -15}},
    };
    for (const Case& c : cases) {
        const POINT corner = MinimisedIconPosition(c.client, 32, 32);
        EXPECT_EQ(corner.x, c.corner.x);
        EXPECT_EQ(corner.y, c.corner.y);
    }
}
