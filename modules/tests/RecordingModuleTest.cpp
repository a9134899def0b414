// The recording module, called directly: its log lines, and the steering the host tests rely on.
#include <gtest/gtest.h>

#include "ModuleTestSupport.h"
#include "tests/support/TempFolder.h"
#include "ui/WinString.h"

namespace {

class RecordingModule : public ::testing::Test {
protected:
    std::vector<std::string> Log() const { return ReadLines(m_logPath); }

    TempFolder m_folder;
    const WString m_logPath = m_folder.Path() + u"calls.log";
    // Every variable the module reads, in a known state.
    ScopedEnvironment m_log{u"DASHWELL_MODULE_LOG", m_logPath};
    ScopedEnvironment m_tag{u"DASHWELL_MODULE_TAG", std::nullopt};
    ScopedEnvironment m_answer{u"DASHWELL_MODULE_REFRESH_ANSWER", std::nullopt};
    ScopedEnvironment m_keys{u"DASHWELL_MODULE_TAKE_KEYS", std::nullopt};
    ScopedEnvironment m_send{u"DASHWELL_MODULE_SEND_ON_INIT", std::nullopt};
    ScopedEnvironment m_close{u"DASHWELL_MODULE_CLOSE_ON_INIT", std::nullopt};
    TestHost m_host{400, 300};
};

MSG KeyDown(HWND window, WPARAM key) {
    return MSG{window, WM_KEYDOWN, key, 0, 0, {}};
}

TEST_F(RecordingModule, RecordsEveryCallInOrderWithItsArguments) {
    LoadedModule module("recording/full");
    module.InitialPageInfo(m_host.Handle());
    module.SetPreAndNextDev(L"Keyboard", L"");
    EXPECT_EQ(module.ProcessFunction(DASHWELL_WM_DEVICE_REFRESH, 7, 1), 0);
    module.ProcessParentDef(WM_PAINT, 0, 0);  // too common to log
    module.ProcessParentDef(WM_SIZE, SIZE_RESTORED, MAKELPARAM(900, 600));
    module.ProcessParentDef(WM_DESTROY, 0, 0);
    MSG mouse = {m_host.Handle(), WM_MOUSEMOVE, 0, 0, 0, {}};
    EXPECT_FALSE(module.DllPreTranslateMessage(&mouse));  // too common to log
    MSG escape = KeyDown(m_host.Handle(), VK_ESCAPE);
    EXPECT_FALSE(module.DllPreTranslateMessage(&escape));
    module.UnIntialPageInfo();
    module.ProcessParentDef(WM_PAINT, 0, 0);  // after UnIntialPageInfo every call counts
    module.Release();

    const std::vector<std::string> expected = {
        "full DllMain attach",
        "full InitialPageInfo hwnd=" + HexText(reinterpret_cast<uintptr_t>(m_host.Handle())),
        "full SetPreAndNextDev prev=Keyboard next=",
        "full ProcessFunction msg=0x5401 wparam=7 lparam=1 -> 0",
        "full ProcessParentDef msg=0x5 wparam=0 lparam=39322500",
        "full ProcessParentDef msg=0x2 wparam=0 lparam=0",
        "full DllPreTranslateMessage msg=0x100 wparam=0x1b -> 0",
        "full UnIntialPageInfo",
        "full ProcessParentDef msg=0xf wparam=0 lparam=0",
        "full DllMain detach",
    };
    EXPECT_EQ(Log(), expected);
}

TEST_F(RecordingModule, TagsLinesAndWritesNamesInUtf8) {
    ScopedEnvironment tag(u"DASHWELL_MODULE_TAG", u"Mouse");
    LoadedModule module("recording/noinit");
    module.SetPreAndNextDev(L"Tastatur\u00c4", nullptr);
    module.ProcessFunction(WM_USER + 5, 3, -1);

    const std::vector<std::string> expected = {
        "Mouse DllMain attach",
        "Mouse SetPreAndNextDev prev=Tastatur\xc3\x84 next=(null)",
        "Mouse ProcessFunction msg=0x405 wparam=3 lparam=-1 -> 0",
    };
    EXPECT_EQ(Log(), expected);
}

TEST_F(RecordingModule, ReadsTheLogVariableAtEachCall) {
    ScopedEnvironment noLog(u"DASHWELL_MODULE_LOG", std::nullopt);
    LoadedModule module("recording/bare");
    module.ProcessFunction(DASHWELL_WM_DEVICE_REFRESH, 0, 1);
    EXPECT_TRUE(Log().empty());

    SetEnvironmentVariableW(L"DASHWELL_MODULE_LOG", WinStr(m_logPath));
    module.UnIntialPageInfo();
    module.Release();
    const std::vector<std::string> expected = {"bare UnIntialPageInfo", "bare DllMain detach"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(RecordingModule, AnswersTheRefreshAsTheEnvironmentSays) {
    struct Case {
        std::optional<WString> answer;
        UINT message;
        int expected;
    };
    const Case cases[] = {
        {std::nullopt, DASHWELL_WM_DEVICE_REFRESH, 0},
        {u"1", DASHWELL_WM_DEVICE_REFRESH, 1},
        {u"0", DASHWELL_WM_DEVICE_REFRESH, 0},
        {u"-3", DASHWELL_WM_DEVICE_REFRESH, -3},
        {u"1", WM_USER + 1, 0},  // only the refresh message is answered
    };
    LoadedModule module("recording/full");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? ToUtf8(*c.answer) : "unset");
        ScopedEnvironment answer(u"DASHWELL_MODULE_REFRESH_ANSWER", c.answer);
        EXPECT_EQ(module.ProcessFunction(c.message, 0, 0), c.expected);
        EXPECT_EQ(Log().back(), "full ProcessFunction msg=" + HexText(c.message) + " wparam=0 lparam=0 -> " +
                                    std::to_string(c.expected));
    }
}

TEST_F(RecordingModule, TakesEscapeOnlyWhenAsked) {
    LoadedModule module("recording/full");
    MSG escape = KeyDown(m_host.Handle(), VK_ESCAPE);
    MSG enter = KeyDown(m_host.Handle(), VK_RETURN);
    MSG escapeUp = {m_host.Handle(), WM_KEYUP, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(module.DllPreTranslateMessage(&escape));

    ScopedEnvironment keys(u"DASHWELL_MODULE_TAKE_KEYS", u"1");
    EXPECT_TRUE(module.DllPreTranslateMessage(&escape));
    EXPECT_FALSE(module.DllPreTranslateMessage(&enter));
    EXPECT_FALSE(module.DllPreTranslateMessage(&escapeUp));
    EXPECT_FALSE(module.DllPreTranslateMessage(nullptr));

    const std::vector<std::string> expected = {
        "full DllMain attach",
        "full DllPreTranslateMessage msg=0x100 wparam=0x1b -> 0",
        "full DllPreTranslateMessage msg=0x100 wparam=0x1b -> 1",
        "full DllPreTranslateMessage msg=0x100 wparam=0xd -> 0",
    };
    EXPECT_EQ(Log(), expected);
}

TEST_F(RecordingModule, SendsTheSwitchOnceFromInsideInitialPageInfo) {
    struct Case {
        const char16_t* direction;
        LPARAM lParam;
    };
    for (const Case& c : {Case{u"next", 1}, Case{u"prev", -1}}) {
        SCOPED_TRACE(ToUtf8(c.direction));
        m_host.m_sent.clear();
        ScopedEnvironment send(u"DASHWELL_MODULE_SEND_ON_INIT", c.direction);
        LoadedModule module("recording/full");
        // A host that shows the new page at once, from inside the send, must not make the module loop.
        m_host.m_onSwitch = [&] { module.InitialPageInfo(m_host.Handle()); };
        module.InitialPageInfo(m_host.Handle());
        module.InitialPageInfo(m_host.Handle());
        m_host.m_onSwitch = nullptr;

        ASSERT_EQ(m_host.m_sent.size(), 1u);
        EXPECT_EQ(m_host.m_sent[0].message, DASHWELL_WM_DEVICE_SWITCH);
        EXPECT_EQ(m_host.m_sent[0].lParam, c.lParam);
        EXPECT_FALSE(EnvironmentVariable(u"DASHWELL_MODULE_SEND_ON_INIT"));
        const std::string hwnd = HexText(reinterpret_cast<uintptr_t>(m_host.Handle()));
        const std::vector<std::string> expected = {
            "full InitialPageInfo hwnd=" + hwnd,
            "full InitialPageInfo send msg=0x5400 lparam=" + std::to_string(c.lParam),
            "full InitialPageInfo hwnd=" + hwnd,
            "full InitialPageInfo sent msg=0x5400 -> 0",
            "full InitialPageInfo hwnd=" + hwnd,
        };
        std::vector<std::string> log = Log();
        EXPECT_EQ(std::vector<std::string>(log.end() - 5, log.end()), expected);
    }
}

TEST_F(RecordingModule, SendsCloseOnceFromInsideInitialPageInfo) {
    ScopedEnvironment close(u"DASHWELL_MODULE_CLOSE_ON_INIT", u"1");
    LoadedModule module("recording/keep");
    module.InitialPageInfo(m_host.Handle());
    module.InitialPageInfo(m_host.Handle());

    ASSERT_EQ(m_host.m_sent.size(), 1u);
    EXPECT_EQ(m_host.m_sent[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_FALSE(EnvironmentVariable(u"DASHWELL_MODULE_CLOSE_ON_INIT"));
    const std::vector<std::string> log = Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[2], "keep InitialPageInfo send msg=0x10 lparam=0");
    EXPECT_EQ(log[3], "keep InitialPageInfo sent msg=0x10 -> 0");
}

TEST_F(RecordingModule, TellsAProcessEndFromARelease) {
    const WString command =
        u"\"" + WindowsPath(LOAD_AND_EXIT_PATH) + u"\" \"" + ModulePath("recording/keep") + u"\"";
    EXPECT_EQ(RunProcess(command), 0u);

    const std::vector<std::string> expected = {"keep DllMain attach", "keep DllMain detach exit"};
    EXPECT_EQ(Log(), expected);
}

}  // namespace
