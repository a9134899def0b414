// The sample module's exports. The page lives from InitialPageInfo to UnIntialPageInfo; every other
// export does nothing without it. The module exports no "ZQ455EXIT": the host may release it.
#include <windows.h>

#include <memory>

#include "DeviceLookup.h"
#include "PageWindow.h"
#include "sdk/DashwellPage.h"
#include "ui/WinString.h"

#define PAGE_EXPORT extern "C" __declspec(dllexport)

// The linker's name for the start of this module's own image, which is its HMODULE.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

std::unique_ptr<CSamplePage> g_page;

HINSTANCE ThisModule() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

}  // namespace

PAGE_EXPORT void InitialPageInfo(HWND hostWindow) {
    g_page.reset();
    const HINSTANCE module = ThisModule();
    g_page = CSamplePage::Create(module, hostWindow, FindDeviceInFolder(ModuleFolder(module)));
}

PAGE_EXPORT void SetPreAndNextDev(const wchar_t* previousKeyName, const wchar_t* nextKeyName) {
    if (g_page) {
        g_page->SetNeighbours(FromWin(previousKeyName), FromWin(nextKeyName));
    }
}

PAGE_EXPORT void UnIntialPageInfo(void) {
    g_page.reset();
}

// Asks the host to close when its device has been unplugged.
PAGE_EXPORT int ProcessFunction(UINT message, WPARAM, LPARAM lParam) {
    return message == DASHWELL_WM_DEVICE_REFRESH && lParam == 0 ? 1 : 0;
}

PAGE_EXPORT void ProcessParentDef(UINT message, WPARAM, LPARAM) {
    if (message == WM_SIZE && g_page) {
        g_page->FitToHost();
    }
}

PAGE_EXPORT BOOL DllPreTranslateMessage(MSG* message) {
    return message && g_page && g_page->TakeKey(*message);
}
