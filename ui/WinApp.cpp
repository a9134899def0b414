// The application object and the program's entry point.
#include "ui/WinApp.h"

#include <ole2.h>

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

CWinApp* CWinApp::Current() {
    return g_pApp;
}

int CWinApp::Run() {
    InitInstance();
    return ExitInstance();
}

int CWinApp::InitInstance() {
    return 0;
}

int CWinApp::ExitInstance() {
    if (m_bOleInitialised) {
        OleUninitialize();
        m_bOleInitialised = false;
    }
    return 0;
}

bool CWinApp::InitOle() {
    if (!m_bOleInitialised) {
        m_bOleInitialised = SUCCEEDED(OleInitialize(nullptr));
    }
    return m_bOleInitialised;
}

bool RegisterWindowClass(const WNDCLASSW& windowClass) {
    WNDCLASSW existing{};
    if (GetClassInfoW(windowClass.hInstance, windowClass.lpszClassName, &existing)) {
        return true;
    }
    return RegisterClassW(&windowClass) != 0;
}

// Unicode GUI entry point (linked with -municode). The command line is not read.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CWinApp* app = CWinApp::Current();
    return app ? app->Run() : 1;
}
