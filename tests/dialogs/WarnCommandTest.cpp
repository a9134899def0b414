// dashwellctl warn run as a skin author runs it: the dialog of the given number with the skin of the
// given folder (or of the tool's own folder), answered from outside the process, and the answer printed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "tests/support/ProcessWindow.h"
#include "tests/tools/ToolRunner.h"
#include "ui/WinString.h"

namespace {

struct Launched {
    std::string output;
    DWORD exitCode = 0xFFFFFFFF;
    SIZE windowSize{};
};

// Starts the tool, answers its dialog with a key press posted to it, and collects what it printed.
Launched RunAndAnswer(const std::wstring& arguments, WPARAM key) {
    TempFolder scratch;
    const WString outputPath = scratch.Path() + u"out.txt";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE output =
        CreateFileW(WinStr(outputPath), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    const std::string tool = HostPath(DASHWELLCTL_PATH);
    std::wstring command = L"\"" + std::wstring(tool.begin(), tool.end()) + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    Launched launched;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        CloseHandle(output);
        return launched;
    }
    CloseHandle(output);
    const HWND warning = WaitForProcessWindow(process.dwProcessId, L"Q3ZRWaning", 20000);
    if (warning) {
        launched.windowSize = WindowSize(warning);
        PostMessageW(warning, WM_KEYDOWN, key, 1);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &launched.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const HANDLE input = CreateFileW(WinStr(outputPath), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[256] = {};
    DWORD read = 0;
    ReadFile(input, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(input);
    launched.output.assign(buffer, read);
    return launched;
}

std::wstring WithoutTrailingBackslash(const WString& folder) {
    // A backslash before the closing quote would escape it on the command line.
    const WString trimmed = folder.substr(0, folder.size() - 1);
    return L"\"" + std::wstring(WinStr(trimmed)) + L"\"";
}

}  // namespace

TEST(WarnCommand, ShowsTheWarningWithTheSkinOfTheFolderAndPrintsTheAnswer) {
    TempFolder skin;
    skin.Write("FrameSkins.xml",
               "<S><WARN_1><MAIN_NORMAL>one.bmp</MAIN_NORMAL></WARN_1>"
               "<WARN_-3><MAIN_NORMAL>minus.bmp</MAIN_NORMAL></WARN_-3></S>");
    skin.Write("FrameButtons.xml", "<B><WARN_DLG><BUTTON_OK>b,10,70,50,20,,FALSE</BUTTON_OK></WARN_DLG></B>");
    skin.Write("FrameSkins/Warn/one.bmp", BmpFile(150, 100, RGB(30, 60, 120)));
    skin.Write("FrameSkins/Warn/minus.bmp", BmpFile(130, 90, RGB(30, 60, 120)));
    struct Case {
        std::wstring number;
        WPARAM key;
        std::string output;
        SIZE size;
    };
    const Case cases[] = {
        {L"1", VK_RETURN, "IDOK\n", {150, 100}},
        {L"-3", VK_ESCAPE, "IDCANCEL\n", {130, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(FromWin(c.number.c_str())));
        const Launched launched =
            RunAndAnswer(L"warn " + c.number + L" " + WithoutTrailingBackslash(skin.Path()), c.key);
        EXPECT_EQ(launched.output, c.output);
        EXPECT_EQ(launched.exitCode, 0u);
        EXPECT_EQ(launched.windowSize.cx, c.size.cx);
        EXPECT_EQ(launched.windowSize.cy, c.size.cy);
    }
}

TEST(WarnCommand, WithoutASkinBesideTheToolTheWarningCanStillBeAnswered) {
    const Launched launched = RunAndAnswer(L"warn 0", VK_RETURN);
    EXPECT_EQ(launched.output, "IDOK\n");
    EXPECT_EQ(launched.exitCode, 0u);
    EXPECT_GT(launched.windowSize.cx, 0);
}

TEST(WarnCommand, ArgumentsThatAreNoWarningAreUsageErrors) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"warn"},
                                               {"warn", "x"},
                                               {"warn", "1x"},
                                               {"warn", "--", "1"},
                                               {"warn", "2147483648"},
                                               {"warn", "1", "a", "b"}}) {
        const ToolResult result = RunTool(DASHWELLCTL_PATH, args);
        EXPECT_EQ(result.exitCode, 64) << args.size();
        EXPECT_EQ(result.output, "");
    }
}
