// devsim send next|prev|refresh: what the device software does to make the running host step to another
// device or read the catalogue again. It posts, so it never waits for the host.
#include <windows.h>

#include "sdk/DashwellPage.h"
#include "tools/devsim/SimCommands.h"
#include "ui/WinString.h"

namespace {

struct HostRequest {
    const char16_t* word;
    UINT message;
    LPARAM lParam;
};

constexpr HostRequest kHostRequests[] = {
    {u"next", DASHWELL_WM_DEVICE_SWITCH, 1},
    {u"prev", DASHWELL_WM_DEVICE_SWITCH, -1},
    {u"refresh", DASHWELL_WM_DEVICE_REFRESH, 0},
};

const HostRequest* FindRequest(const WString& word) {
    for (const HostRequest& request : kHostRequests) {
        if (word == request.word) {
            return &request;
        }
    }
    return nullptr;
}

// The title alone is not enough: the host process may also own hidden windows of that title.
HWND FindVisibleHostWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, L"Quor Gaming service")) != nullptr) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

int RunSendCommand(const SimArgs& args) {
    const HostRequest* request = args.size() == 1 ? FindRequest(args[0]) : nullptr;
    if (!request) {
        return SimUsageError("usage: devsim send next|prev|refresh");
    }
    const HWND host = FindVisibleHostWindow();
    if (!host) {
        return SimFailure("no visible \"Quor Gaming service\" window is running");
    }
    if (!PostMessageW(host, request->message, 0, request->lParam)) {
        return SimFailure("cannot post to the \"Quor Gaming service\" window");
    }
    return 0;
}
