// Real mouse input through the X server on the program with the sample page: a press on the page's
// background drags the whole window, and the page's Next button switches to the next plugged device.
#include <gtest/gtest.h>

#include <memory>

#include "HostTestSupport.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/WinString.h"

namespace {

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ButtonSearch*>(context);
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    if (wcscmp(text, search->text) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDescendant(HWND parent, const wchar_t* text) {
    ButtonSearch search{text, nullptr};
    EnumChildWindows(parent, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST(Mouse, DragTheBodyAndClickNext) {
    DeviceSandbox sandbox;
    HostInstall install;
    install.AddDevices(sandbox, {{u"Alpha", 1, PageModule::kSample},
                                 {u"Bravo", 0, PageModule::kSample},
                                 {u"Charlie", 1, PageModule::kSample}});
    HostProcess host(install);
    const HWND window = host.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND next = nullptr;
    for (int i = 0; i < 200 && !next; ++i, Sleep(20)) {
        next = FindDescendant(window, L"Next");
    }
    ASSERT_NE(next, nullptr) << "the sample page did not come";

    const RECT before = WindowRect(window);
    const int x = before.left + 60;
    const int y = before.top + 60;
    auto drag =
        std::make_unique<LinuxCommand>("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                                       " mousedown 1 sleep 0.3 mousemove " + std::to_string(x + 40) + " " +
                                       std::to_string(y + 25) + " sleep 0.3 mouseup 1");
    ASSERT_TRUE(drag->Wait());
    RECT after = WindowRect(window);
    for (int i = 0; i < 100 && after.left == before.left; ++i, Sleep(20)) {
        after = WindowRect(window);
    }
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 25);

    const RECT button = WindowRect(next);
    ASSERT_TRUE(MouseClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2}));
    SaveScreenshot("app-sample-page.png");
    // The next device's page replaces the page window; its Previous button is the one to find then.
    HWND previous = nullptr;
    for (int i = 0; i < 250 && !(previous && IsWindowEnabled(previous)); ++i, Sleep(20)) {
        previous = FindDescendant(window, L"Previous");
    }
    ASSERT_NE(previous, nullptr);
    EXPECT_TRUE(IsWindowEnabled(previous)) << "still on the first device";
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.WaitForExit());
    EXPECT_EQ(ExitDeviceName(sandbox), u"Charlie");
}
