// dashwellctl warn N [DIR]: the warning dialog as the program shows it, for skin authors.
#include <ole2.h>
#include <windows.h>

#include <climits>
#include <cstdint>

#include "dialogs/WarningDlg.h"
#include "skin/AppDirectory.h"
#include "skin/FrameSkin.h"
#include "tools/Cli.h"
#include "ui/WinString.h"

const char kWarnHelp[] =
    "usage: dashwellctl warn N [DIR]\n"
    "Shows warning number N (negative numbers too) with the skin of DIR, by default the folder of\n"
    "dashwellctl: FrameSkins.xml, FrameButtons.xml and strings.xml there, pictures under\n"
    "FrameSkins\\Warn\\. Prints the answer when the dialog closes:\n"
    "  IDOK | IDCANCEL | failed (the dialog could not be created; exit status 1)";

namespace {

// A signed decimal in the 32-bit range, nothing else.
bool ParseWarnNumber(const WString& text, int32_t& number) {
    const bool negative = text.starts_with(u"-");
    int64_t magnitude = 0;
    if (!ParseArgIndex(negative ? text.substr(1) : text, magnitude)) {
        return false;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    number = static_cast<int32_t>(value);
    return true;
}

WString ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const WString file = FromWin(path, length < MAX_PATH ? length : 0);
    return file.substr(0, file.find_last_of(u"\\/") + 1);
}

WString WithTrailingBackslash(WString folder) {
    if (!folder.ends_with(u"\\") && !folder.ends_with(u"/")) {
        folder += u"\\";
    }
    return folder;
}

// The program initialises OLE before any picture is decoded; so does the tool.
class OleScope {
public:
    OleScope() : m_bInitialized(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (m_bInitialized) {
            OleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool m_bInitialized;
};

}  // namespace

int RunWarnCommand(const Args& args) {
    int32_t number = 0;
    if (args.empty() || args.size() > 2 || !ParseWarnNumber(args[0], number)) {
        return UsageError("warn takes N [DIR], N a decimal number");
    }
    const WString folder = args.size() == 2 ? WithTrailingBackslash(args[1]) : ExecutableFolder();
    if (!SetAppDirectory(folder)) {
        return UsageError("DIR is longer than 258 characters");
    }
    const OleScope ole;
    LoadFrameSkinDocuments();
    CWarningDlg dialog(nullptr, number);
    switch (dialog.DoModal()) {
        case IDOK:
            PrintLine(std::string_view("IDOK"));
            return 0;
        case IDCANCEL:
            PrintLine(std::string_view("IDCANCEL"));
            return 0;
        default:
            PrintLine(std::string_view("failed"));
            return 1;
    }
}
