// End-to-end scaffolding: the installation, the program's process and the module log.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "tests/support/ProcessWindow.h"
#include "tests/tools/ToolRunner.h"
#include "ui/WinString.h"

namespace {

constexpr DWORD kPollMilliseconds = 20;

WString LinuxPath(const char* path) {
    return FromUtf8(HostPath(path));
}

WString ModuleBuild(PageModule module) {
    switch (module) {
        case PageModule::kFull:
            return LinuxPath(RECORDING_FULL_DLL);
        case PageModule::kNoInit:
            return LinuxPath(RECORDING_NOINIT_DLL);
        case PageModule::kKeep:
            return LinuxPath(RECORDING_KEEP_DLL);
        case PageModule::kBare:
            return LinuxPath(RECORDING_BARE_DLL);
        case PageModule::kSample:
            return LinuxPath(SAMPLE_DLL);
        case PageModule::kNone:
            break;
    }
    return {};
}

void CopyInto(const WString& from, const WString& folder, const WString& name) {
    CreateDirectoryW(WinStr(folder), nullptr);
    ASSERT_TRUE(CopyFileW(WinStr(from), WinStr(folder + u"\\" + name), FALSE)) << ToUtf8(from);
}

}  // namespace

HostInstall::HostInstall() {
    CreateDirectoryW(WinStr(m_root.Path() + u"Host"), nullptr);
    CreateDirectoryW(WinStr(m_root.Path() + u"Devices"), nullptr);
    CopyInto(LinuxPath(DASHWELL_EXE), m_root.Path() + u"Host", u"Dashwell.exe");
}

void HostInstall::AddDevices(const DeviceSandbox& sandbox, const std::vector<TestDevice>& devices) const {
    for (const TestDevice& device : devices) {
        sandbox.InstallPlugged(device.keyName, device.plug);
        sandbox.SetDeviceValue(device.keyName, u"Path", StringBytes(DeviceFolder(device.keyName)));
        sandbox.SetDevicePlug(device.keyName, DwordBytes(device.plug));
        CreateDirectoryW(WinStr(DeviceFolder(device.keyName)), nullptr);
        PutModule(DeviceFolder(device.keyName), device.module);
    }
}

void HostInstall::PutModule(const WString& folder, PageModule module) const {
    if (module != PageModule::kNone) {
        CopyInto(ModuleBuild(module), folder, u"Setting.dll");
    }
}

void HostInstall::WriteHostFile(std::string_view relative, std::string_view bytes) const {
    m_root.Write("Host\\" + std::string(relative), bytes);
}

std::vector<std::string> HostInstall::Calls(bool (*keep)(const std::string& line)) const {
    std::ifstream file(ToUtf8(LogPath()));
    static const std::regex handle("hwnd=0x[0-9a-f]+");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        line = std::regex_replace(line, handle, "hwnd");
        if (!keep || keep(line)) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool IsModuleEvent(const std::string& line) {
    return line.find(" ProcessParentDef ") == std::string::npos &&
           line.find(" DllPreTranslateMessage ") == std::string::npos &&
           line.find(" ProcessFunction msg=0x7777 ") == std::string::npos;
}

ScopedEnvironment::ScopedEnvironment(const char16_t* name, const char16_t* value) : m_name(name) {
    SetEnvironmentVariableW(WinStr(name), WinStr(value));
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableW(WinStr(m_name), nullptr);
}

HostProcess::HostProcess(const HostInstall& install, const std::wstring& arguments,
                         const WString& currentDirectory) {
    SetEnvironmentVariableW(L"DASHWELL_MODULE_LOG", WinStr(install.LogPath()));
    std::wstring command = L"\"" + std::wstring(WinStr(install.HostFolder() + u"Dashwell.exe")) + L"\"";
    if (!arguments.empty()) {
        command += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const wchar_t* directory = currentDirectory.empty() ? system : WinStr(currentDirectory);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &startup,
                        &m_process)) {
        m_process = {};
    }
}

HostProcess::~HostProcess() {
    if (!m_process.hProcess) {
        return;
    }
    if (Running()) {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND HostProcess::WaitForMainWindow() const {
    return WaitForProcessWindow(m_process.dwProcessId, L"Quor Gaming service");
}

HWND HostProcess::WaitForWarning() const {
    return WaitForProcessWindow(m_process.dwProcessId, L"Q3ZRWaning");
}

bool HostProcess::AnswerWarning() const {
    const HWND warning = WaitForWarning();
    return warning && PostMessageW(warning, WM_KEYDOWN, VK_RETURN, 1);
}

bool HostProcess::WaitForExit(DWORD milliseconds) const {
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
}

bool HostProcess::Running() const {
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {

bool WaitForCallMatching(const HostInstall& install, bool (*matches)(const std::string&, const std::string&),
                         const std::string& text, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += kPollMilliseconds) {
        for (const std::string& call : install.Calls()) {
            if (matches(call, text)) {
                return true;
            }
        }
        Sleep(kPollMilliseconds);
    }
    return false;
}

}  // namespace

bool WaitForCall(const HostInstall& install, const std::string& line, DWORD milliseconds) {
    return WaitForCallMatching(
        install, [](const std::string& call, const std::string& text) { return call == text; }, line,
        milliseconds);
}

bool Settle(const HostInstall& install, HWND window) {
    constexpr UINT kMarker = 0x7777;
    static WPARAM s_count = 0;
    const WPARAM count = ++s_count;
    if (!PostMessageW(window, kMarker, count, 0)) {
        return false;
    }
    const std::string suffix =
        " ProcessFunction msg=0x7777 wparam=" + std::to_string(count) + " lparam=0 -> 0";
    return WaitForCallMatching(
        install,
        [](const std::string& call, const std::string& text) {
            return call.size() >= text.size() &&
                   call.compare(call.size() - text.size(), text.size(), text) == 0;
        },
        suffix, 15000);
}

std::optional<WString> ExitDeviceName(const DeviceSandbox& sandbox) {
    const std::optional<RawValue> value = sandbox.UserValue(u"ExitDeviceName");
    if (!value || value->type != REG_SZ || value->data.size() < sizeof(wchar_t)) {
        return std::nullopt;
    }
    return FromWin(reinterpret_cast<const wchar_t*>(value->data.data()),
                   value->data.size() / sizeof(wchar_t) - 1);
}
