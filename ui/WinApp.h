// CWinApp: the one application object of a program. The program defines a single global object of a
// derived class; the entry point runs its InitInstance and then its ExitInstance, and the process
// ends with ExitInstance's result. There is no message loop here: a program that wants one runs it
// inside InitInstance (a modal dialog), and returning from InitInstance ends the program.
#pragma once

#include <windows.h>

#include "xml/WideString.h"

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The application object of the process, or null before it is constructed.
    static CWinApp* Current();

    // The entry point's whole work; returns the process's exit code.
    int Run();

    CWnd* m_pMainWnd = nullptr;

protected:
    // The program's start-up and its whole run; the result is the program's own.
    virtual int InitInstance();
    // Releases what InitInstance took; the result becomes the exit code.
    virtual int ExitInstance();

    // Initialises OLE for the thread once; ExitInstance undoes it. False when OLE refused.
    bool InitOle();
    // The company key under which profile settings would be stored. Kept only: nothing is stored.
    void SetRegistryKey(WStringView company) { m_strRegistryKey = company; }
    const WString& RegistryKey() const { return m_strRegistryKey; }

private:
    WString m_strRegistryKey;
    bool m_bOleInitialised = false;
};

// Registers the window class unless a class of that name exists already for the class's instance;
// true when the class exists afterwards.
bool RegisterWindowClass(const WNDCLASSW& windowClass);
