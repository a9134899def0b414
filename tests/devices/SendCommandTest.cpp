// devsim send: it finds the visible top-level window titled "Quor Gaming service" and posts it the
// host's switch or refresh message. The host here is a window of this test, so what arrives can be read
// back exactly; a hidden window of the same title stands beside it and must get nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "sdk/DashwellPage.h"
#include "tests/tools/ToolRunner.h"
#include "ui/WinString.h"

namespace {

struct Posted {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    bool operator==(const Posted&) const = default;
};

std::vector<Posted> g_received;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) {
        g_received.push_back({window, message, wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHostStandIn(DWORD visibility) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DevsimSendTestHost";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"Quor Gaming service",
                           WS_OVERLAPPEDWINDOW | visibility, 0, 0, 200, 100, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// Everything devsim posted has been queued by the time it exits.
std::vector<Posted> TakeReceived() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    return std::exchange(g_received, {});
}

DWORD RunDevsim(const std::vector<WString>& args) {
    WString commandLine = u"\"" + FromUtf8(HostPath(DEVSIM_PATH)) + u"\"";
    for (const WString& arg : args) {
        commandLine += u" \"" + arg + u"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, WinBuf(commandLine.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << ToUtf8(commandLine);
        return ~0u;
    }
    DWORD exitCode = ~0u;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        ADD_FAILURE() << "timed out: " << ToUtf8(commandLine);
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

class SendCommand : public ::testing::Test {
protected:
    void TearDown() override {
        for (HWND window : {m_host, m_hidden}) {
            if (window) {
                DestroyWindow(window);
            }
        }
        TakeReceived();
    }

    HWND m_host = nullptr;
    HWND m_hidden = nullptr;
};

TEST_F(SendCommand, PostsTheHostMessageToTheVisibleWindow) {
    m_host = CreateHostStandIn(WS_VISIBLE);
    m_hidden = CreateHostStandIn(0);
    ASSERT_TRUE(m_host && m_hidden);
    struct Case {
        const char16_t* word;
        UINT message;
        LPARAM lParam;
    } cases[] = {
        {u"next", DASHWELL_WM_DEVICE_SWITCH, 1},
        {u"prev", DASHWELL_WM_DEVICE_SWITCH, -1},
        {u"refresh", DASHWELL_WM_DEVICE_REFRESH, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunDevsim({u"send", c.word}), 0u) << ToUtf8(c.word);
        EXPECT_EQ(TakeReceived(), (std::vector<Posted>{{m_host, c.message, 0, c.lParam}})) << ToUtf8(c.word);
    }
}

TEST_F(SendCommand, RefusesBadArgumentsAndPostsNothing) {
    m_host = CreateHostStandIn(WS_VISIBLE);
    ASSERT_TRUE(m_host);
    const std::vector<std::vector<WString>> bad = {
        {u"send"}, {u"send", u""}, {u"send", u"Next"}, {u"send", u"1"}, {u"send", u"next", u"extra"},
    };
    for (const std::vector<WString>& args : bad) {
        EXPECT_EQ(RunDevsim(args), 64u) << ToUtf8(args.back());
    }
    EXPECT_TRUE(TakeReceived().empty());
}

TEST_F(SendCommand, FailsWhenOnlyAHiddenWindowHasTheTitle) {
    EXPECT_EQ(RunDevsim({u"send", u"next"}), 1u);
    m_hidden = CreateHostStandIn(0);
    ASSERT_TRUE(m_hidden);
    EXPECT_EQ(RunDevsim({u"send", u"refresh"}), 1u);
    EXPECT_TRUE(TakeReceived().empty());
}

}  // namespace
