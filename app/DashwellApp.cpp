// The application object and the process-wide documents. They are defined here, in this order, in
// one translation unit, because only there does C++ fix the order of their construction: the
// application object first, then the strings, frame skin and button layout documents.
#include "app/DashwellApp.h"

#include "app/DashwellDlg.h"
#include "skin/SkinDocuments.h"
#include "ui/WinString.h"

CDashwellApp theApp;
CXmlDocument g_docStrings;
CXmlDocument g_docFrameSkin;
CXmlDocument g_docButtonLayout;

namespace {

constexpr wchar_t kProductTitle[] = L"Quor Gaming service";

// Makes the product title exist as a window class; the main window itself uses the dialog class.
void RegisterProductWindowClass() {
    WNDCLASSW windowClass{};
    GetClassInfoW(GetModuleHandleW(nullptr), L"#32770", &windowClass);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kProductTitle;
    RegisterWindowClass(windowClass);
}

}  // namespace

int CDashwellApp::InitInstance() {
    CWinApp::InitInstance();
    // Libraries are never looked for in the current directory. The rest of the search order stays
    // as it is: page modules may rely on it.
    SetDllDirectoryW(L"");
    InitOle();
    SetRegistryKey(u"本機 AppWizard 所產生的應用程式");

    m_hMutex = CreateMutexW(nullptr, FALSE, L"Quor_Dashwell");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(m_hMutex);
        m_hMutex = nullptr;
        return -1;
    }
    RegisterProductWindowClass();
    {
        CDashwellDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    return 0;
}

int CDashwellApp::ExitInstance() {
    if (m_hMutex) {
        ReleaseMutex(m_hMutex);
        CloseHandle(m_hMutex);
        m_hMutex = nullptr;
    }
    return CWinApp::ExitInstance();
}
