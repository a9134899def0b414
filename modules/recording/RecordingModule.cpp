// The recording module: a page module for host tests that records every call it receives, in order,
// and can be steered into the awkward things a real module may do. It draws nothing.
//
// Which exports a build has comes from its compile definitions EXPORT_<name> (see CMakeLists.txt).
//
// Log: with DASHWELL_MODULE_LOG set, one UTF-8 line per event is appended to that file:
//
//     <tag> <event> <arguments...>
//
// <tag> is DASHWELL_MODULE_TAG when set and not empty, else the last component of the module's folder
// (Mouse for ...\Mouse\Setting.dll). Numbers: message numbers and hwnd in hexadecimal with 0x, wparam
// of ProcessFunction and ProcessParentDef in decimal, their lparam in signed decimal, the virtual key of
// DllPreTranslateMessage in hexadecimal. Results follow " -> ". Events:
//
//     Mouse DllMain attach
//     Mouse DllMain detach                   FreeLibrary released the module
//     Mouse DllMain detach exit              the process is ending with the module still loaded
//     Mouse InitialPageInfo hwnd=0x1a2b
//     Mouse InitialPageInfo send msg=0x5400 lparam=1     before a steered SendMessageW (see below)
//     Mouse InitialPageInfo sent msg=0x5400 -> 0         after it returned
//     Mouse SetPreAndNextDev prev=Keyboard next=         names in UTF-8; a null pointer shows as (null)
//     Mouse UnIntialPageInfo
//     Mouse ProcessFunction msg=0x5401 wparam=7 lparam=1 -> 0          every call
//     Mouse ProcessParentDef msg=0x2 wparam=0 lparam=0
//     Mouse DllPreTranslateMessage msg=0x100 wparam=0x1b -> 0
//     Mouse ZQ455EXIT                        the host must never call it
//
// ProcessParentDef is logged for WM_SIZE, WM_DESTROY, WM_CLOSE, WM_NCDESTROY, WM_COMMAND and
// WM_SYSCOMMAND, DllPreTranslateMessage for WM_KEYDOWN only: the others come by the hundred. Between
// UnIntialPageInfo and the next InitialPageInfo every call is logged, since the host must make none.
//
// Steering, read at the moment of each call:
//     DASHWELL_MODULE_REFRESH_ANSWER  ProcessFunction's result for 0x5401 (decimal; default 0)
//     DASHWELL_MODULE_TAKE_KEYS=1     DllPreTranslateMessage takes WM_KEYDOWN of VK_ESCAPE (returns TRUE)
//     DASHWELL_MODULE_SEND_ON_INIT    next or prev: InitialPageInfo sends (synchronously) 0x5400 with
//                                     lParam 1 or -1 to the host window
//     DASHWELL_MODULE_CLOSE_ON_INIT=1 InitialPageInfo sends WM_CLOSE to the host window
// The two sends happen once per process: the variable is removed from the process's environment before
// the send, so a host that loads a module again from inside the send does not loop.
//
// Signal, for benchmarks: with DASHWELL_MODULE_SIGNAL=<event name>, InitialPageInfo invalidates the host
// window (as a page that draws itself must, since the host does not repaint on a switch) and the first
// WM_PAINT that ProcessParentDef sees after each InitialPageInfo sets that named event (opened with
// EVENT_MODIFY_STATE; a missing event is ignored). Nothing is logged for it.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "CallLog.h"
#include "sdk/DashwellPage.h"
#include "ui/WinString.h"

#define PAGE_EXPORT extern "C" __declspec(dllexport)

namespace {

// The export set of a build decides which of the names below it uses.
bool g_bReleased = false;                         // UnIntialPageInfo came and no InitialPageInfo since
[[maybe_unused]] bool g_bPaintSignalDue = false;  // InitialPageInfo came and no WM_PAINT since

std::string MessageArguments(UINT message, WPARAM wParam, LPARAM lParam) {
    return "msg=" + Hex(message) + " wparam=" + std::to_string(wParam) + " lparam=" + std::to_string(lParam);
}

[[maybe_unused]] std::optional<WString> SignalEventName() {
    std::optional<WString> name = EnvironmentValue(u"DASHWELL_MODULE_SIGNAL");
    return name && !name->empty() ? name : std::nullopt;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetLoggingModule(instance);
        LogEvent("DllMain attach");
    } else if (reason == DLL_PROCESS_DETACH) {
        LogEvent(reserved ? "DllMain detach exit" : "DllMain detach");
    }
    return TRUE;
}

#ifdef EXPORT_InitialPageInfo
namespace {

// Removes the variable before the send, so that whatever the host does during it cannot repeat it.
void SendOnce(HWND host, const char16_t* variable, UINT message, LPARAM lParam) {
    SetEnvironmentVariableW(WinStr(variable), nullptr);
    LogEvent("InitialPageInfo send msg=" + Hex(message) + " lparam=" + std::to_string(lParam));
    const LRESULT result = SendMessageW(host, message, 0, lParam);
    LogEvent("InitialPageInfo sent msg=" + Hex(message) + " -> " + std::to_string(result));
}

}  // namespace

PAGE_EXPORT void InitialPageInfo(HWND hostWindow) {
    g_bReleased = false;
    g_bPaintSignalDue = true;
    if (SignalEventName()) {
        InvalidateRect(hostWindow, nullptr, FALSE);
    }
    LogEvent("InitialPageInfo hwnd=" + Hex(reinterpret_cast<uintptr_t>(hostWindow)));
    const std::optional<WString> direction = EnvironmentValue(u"DASHWELL_MODULE_SEND_ON_INIT");
    if (direction == u"next" || direction == u"prev") {
        SendOnce(hostWindow, u"DASHWELL_MODULE_SEND_ON_INIT", DASHWELL_WM_DEVICE_SWITCH,
                 direction == u"next" ? 1 : -1);
    }
    if (EnvironmentIs(u"DASHWELL_MODULE_CLOSE_ON_INIT", u"1")) {
        SendOnce(hostWindow, u"DASHWELL_MODULE_CLOSE_ON_INIT", WM_CLOSE, 0);
    }
}
#endif

#ifdef EXPORT_SetPreAndNextDev
namespace {

std::string NameText(const wchar_t* name) {
    return name ? ToUtf8(FromWin(name)) : "(null)";
}

}  // namespace

PAGE_EXPORT void SetPreAndNextDev(const wchar_t* previousKeyName, const wchar_t* nextKeyName) {
    LogEvent("SetPreAndNextDev prev=" + NameText(previousKeyName) + " next=" + NameText(nextKeyName));
}
#endif

#ifdef EXPORT_UnIntialPageInfo
PAGE_EXPORT void UnIntialPageInfo(void) {
    LogEvent("UnIntialPageInfo");
    g_bReleased = true;
}
#endif

#ifdef EXPORT_ProcessFunction
namespace {

int RefreshAnswer() {
    const std::optional<WString> answer = EnvironmentValue(u"DASHWELL_MODULE_REFRESH_ANSWER");
    return answer ? std::atoi(ToUtf8(*answer).c_str()) : 0;
}

}  // namespace

PAGE_EXPORT int ProcessFunction(UINT message, WPARAM wParam, LPARAM lParam) {
    const int result = message == DASHWELL_WM_DEVICE_REFRESH ? RefreshAnswer() : 0;
    LogEvent("ProcessFunction " + MessageArguments(message, wParam, lParam) + " -> " +
             std::to_string(result));
    return result;
}
#endif

#ifdef EXPORT_ProcessParentDef
namespace {

bool IsParentMessageLogged(UINT message) {
    switch (message) {
        case WM_SIZE:
        case WM_DESTROY:
        case WM_CLOSE:
        case WM_NCDESTROY:
        case WM_COMMAND:
        case WM_SYSCOMMAND:
            return true;
        default:
            return g_bReleased;
    }
}

void SignalFirstPaint() {
    g_bPaintSignalDue = false;
    const std::optional<WString> name = SignalEventName();
    const HANDLE event = name ? OpenEventW(EVENT_MODIFY_STATE, FALSE, WinStr(*name)) : nullptr;
    if (event) {
        SetEvent(event);
        CloseHandle(event);
    }
}

}  // namespace

PAGE_EXPORT void ProcessParentDef(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && g_bPaintSignalDue) {
        SignalFirstPaint();
    }
    if (IsParentMessageLogged(message)) {
        LogEvent("ProcessParentDef " + MessageArguments(message, wParam, lParam));
    }
}
#endif

#ifdef EXPORT_DllPreTranslateMessage
PAGE_EXPORT BOOL DllPreTranslateMessage(MSG* message) {
    if (!message) {
        return FALSE;
    }
    const bool isKeyDown = message->message == WM_KEYDOWN;
    const BOOL taken =
        isKeyDown && message->wParam == VK_ESCAPE && EnvironmentIs(u"DASHWELL_MODULE_TAKE_KEYS", u"1");
    if (isKeyDown || g_bReleased) {
        LogEvent("DllPreTranslateMessage msg=" + Hex(message->message) + " wparam=" + Hex(message->wParam) +
                 " -> " + std::to_string(taken));
    }
    return taken;
}
#endif

#ifdef EXPORT_ZQ455EXIT
PAGE_EXPORT void ZQ455EXIT(void) {
    LogEvent("ZQ455EXIT");
}
#endif
