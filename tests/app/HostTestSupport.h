// Scaffolding of the end-to-end tests: an installation of Dashwell.exe in a temporary folder with a
// small skin and device folders holding the recording page module, the real program started on it,
// and the module's call log read back. Devices go into the build's Wine prefix through DeviceSandbox.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/devices/DeviceSandbox.h"
#include "tests/support/TempFolder.h"
#include "xml/WideString.h"

// Which build of the recording module a device folder gets.
// kSample is the sample page that device makers start from; the others log every call.
enum class PageModule { kNone, kFull, kNoInit, kKeep, kBare, kSample };

struct TestDevice {
    WString keyName;
    int plug;
    PageModule module = PageModule::kFull;
};

// The program's folder (…\Host\, with Dashwell.exe and the skin) and the devices' folders
// (…\Devices\<key>) in one temporary folder; the module log is …\calls.log.
class HostInstall {
public:
    HostInstall();

    // Registry keys, config.ini, "DevicePlug" and module of each device, in catalogue order.
    void AddDevices(const DeviceSandbox& sandbox, const std::vector<TestDevice>& devices) const;
    void PutModule(const WString& folder, PageModule module) const;
    // A file of the program's folder, e.g. the frame skin.
    void WriteHostFile(std::string_view relative, std::string_view bytes) const;

    WString HostFolder() const { return m_root.Path() + u"Host\\"; }
    WString DeviceFolder(const WString& keyName) const { return m_root.Path() + u"Devices\\" + keyName; }
    WString LogPath() const { return m_root.Path() + u"calls.log"; }

    // The log's lines, hwnd values replaced by "hwnd", and only the lines that pass the filter.
    std::vector<std::string> Calls(bool (*keep)(const std::string& line) = nullptr) const;

private:
    TempFolder m_root;
};

// Lines without the flood of window messages (no ProcessParentDef, no DllPreTranslateMessage) and
// without Settle's markers.
bool IsModuleEvent(const std::string& line);

// An environment variable of this process (inherited by the programs it starts) for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char16_t* name, const char16_t* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char16_t* m_name;
};

// Dashwell.exe of an installation, started with the module log switched on. A process still running
// at the end is terminated.
class HostProcess {
public:
    // Started in the system folder unless another current directory is given.
    explicit HostProcess(const HostInstall& install, const std::wstring& arguments = L"",
                         const WString& currentDirectory = u"");
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    // The visible main window ("Quor Gaming service") of this process; null when it does not come.
    HWND WaitForMainWindow() const;
    // The visible warning dialog of this process; null when it does not come.
    HWND WaitForWarning() const;
    // Presses Enter on the warning: its OK.
    bool AnswerWarning() const;
    bool WaitForExit(DWORD milliseconds = 20000) const;
    bool Running() const;

private:
    PROCESS_INFORMATION m_process{};
};

// Waits until the log holds the line (after hwnd masking).
bool WaitForCall(const HostInstall& install, const std::string& line, DWORD milliseconds = 15000);
// Waits until the main window has handled everything posted to it before: posts a message of its own
// and waits for the page module (one with "ProcessFunction") to log it. Messages are taken from the
// queue in order; a sent message would jump ahead of them.
bool Settle(const HostInstall& install, HWND window);

// The remembered device in the user's registry, as the program stored it.
std::optional<WString> ExitDeviceName(const DeviceSandbox& sandbox);
