// minimal_window: host_bench's baseline, the least a Win32 program does to show a window, and to switch a
// page module. It sets the named event DASHWELL_MODULE_SIGNAL names on its first WM_PAINT, as the
// recording module does in the host, so both are timed the same way.
//
//     minimal_window                      a visible 900 x 600 window and its message loop
//     minimal_window MODULE_A MODULE_B    the same with MODULE_A loaded; each kSwitchMessage posted to the
//                                         window frees the loaded module, loads the other one and
//                                         repaints, signalling again on the next WM_PAINT
#include <windows.h>

namespace {

constexpr UINT kSwitchMessage = WM_APP + 1;

struct Modules {
    const wchar_t* paths[2] = {};
    int current = 0;
    HMODULE loaded = nullptr;
};

Modules g_modules;
bool g_bSignalDue = true;

void SignalPainted() {
    g_bSignalDue = false;
    wchar_t name[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"DASHWELL_MODULE_SIGNAL", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    if (const HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

void SwitchModule(HWND window) {
    if (g_modules.loaded) {
        FreeLibrary(g_modules.loaded);
    }
    g_modules.current = 1 - g_modules.current;
    g_modules.loaded = LoadLibraryW(g_modules.paths[g_modules.current]);
    g_bSignalDue = true;
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            if (g_bSignalDue) {
                SignalPainted();
            }
            return 0;
        }
        case kSwitchMessage:
            if (g_modules.paths[0]) {
                SwitchModule(window);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3) {
        g_modules.paths[0] = argv[1];
        g_modules.paths[1] = argv[2];
        g_modules.loaded = LoadLibraryW(argv[1]);
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MinimalWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"DashwellMinimalWindow";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, L"Minimal window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    CW_USEDEFAULT, CW_USEDEFAULT, 900, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (g_modules.loaded) {
        FreeLibrary(g_modules.loaded);
    }
    return 0;
}
