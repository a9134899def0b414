// Polls the top-level windows until the process shows the one wanted.
#include "tests/support/ProcessWindow.h"

#include <cwchar>

namespace {

constexpr DWORD kPollMilliseconds = 20;

struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    if (processId == search->processId && IsWindowVisible(window) && std::wcscmp(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForProcessWindow(DWORD processId, const wchar_t* title, DWORD milliseconds) {
    WindowSearch search{processId, title, nullptr};
    for (DWORD waited = 0;; waited += kPollMilliseconds) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= milliseconds) {
            return search.found;
        }
        Sleep(kPollMilliseconds);
    }
}
