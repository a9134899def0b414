// CDashwellApp, the application object: one instance per session (the named mutex), the main window
// run modally, and nothing else: closing the main window ends the process.
#pragma once

#include <windows.h>

#include "ui/WinApp.h"

class CDashwellApp : public CWinApp {
protected:
    // 0 after the main window has run and closed; -1 when another instance runs already.
    int InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_hMutex = nullptr;
};
