// Helpers of the page-module tests: the built modules loaded the way the host loads them, their export
// tables, environment variables set for one scope, and a plain window standing in for the host.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sdk/DashwellPage.h"
#include "xml/WideString.h"

// A Linux path of the build as Windows programs under Wine see it (drive Z:).
WString WindowsPath(std::string path);
// Runs a command line with the test's environment, waits for it and gives its exit code (~0u when it
// cannot be started).
DWORD RunProcess(const WString& commandLine);

// The Windows path of a built module: ModulePath("recording/full") names .../recording/full/Setting.dll.
WString ModulePath(std::string_view folder);
// The module's folder as GetModuleFileNameW names it, without a trailing backslash.
WString ModuleFolderPath(std::string_view folder);

// One module loaded by absolute path with the host's search flags, released at the end of the scope.
class LoadedModule {
public:
    explicit LoadedModule(std::string_view folder);
    ~LoadedModule() { Release(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE Handle() const { return m_hModule; }
    void Release();

    template <typename Fn>
    Fn Export(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_hModule, name)));
    }
    // The page entry points; each fails the test when the module lacks it.
    void InitialPageInfo(HWND host) const;
    void SetPreAndNextDev(const wchar_t* previous, const wchar_t* next) const;
    void UnIntialPageInfo() const;
    int ProcessFunction(UINT message, WPARAM wParam, LPARAM lParam) const;
    void ProcessParentDef(UINT message, WPARAM wParam, LPARAM lParam) const;
    BOOL DllPreTranslateMessage(MSG* message) const;

private:
    HMODULE m_hModule;
};

// Every name in a loaded module's export directory, in the directory's order.
std::vector<std::string> ExportedNames(HMODULE module);

// Sets (or with nothing, removes) one environment variable of the process and puts the old state back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char16_t* name, const std::optional<WString>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    WString m_name;
    std::optional<WString> m_previous;
};

std::optional<WString> EnvironmentVariable(const char16_t* name);

// The lines of a text file (without their line ends); none when the file is missing.
std::vector<std::string> ReadLines(const WString& path);

// "0x" and lowercase hexadecimal digits, as the recording module writes numbers.
std::string HexText(uint64_t number);

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A hidden top-level popup window standing in for the host window (hidden, since Wine takes seconds to
// withdraw a shown window without a window manager). It records the switch message
// and WM_CLOSE when they are sent to it (it does not close), and can run a step on the switch message.
class TestHost {
public:
    TestHost(int width, int height);
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    HWND Handle() const { return m_hWnd; }
    // The next posted message with this number waiting in the window's queue, taken out of it.
    std::optional<HostMessage> TakePosted(UINT message) const;

    std::vector<HostMessage> m_sent;
    std::function<void()> m_onSwitch;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
};
