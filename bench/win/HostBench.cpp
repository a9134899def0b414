// host_bench: start-up and device-switch time of the real Dashwell.exe under Wine, each beside
// minimal_window, which does the least a Win32 program does for the same step. Both are measured in one
// run and take turns, so that changes in machine load hit them alike.
//
// Start-up: from CreateProcessW to the main window's first WM_PAINT. Switch: from posting the request to
// the first WM_PAINT after the new page module is loaded. Each program reports the paint by setting the
// named event that DASHWELL_MODULE_SIGNAL names (in the host, the recording module does it).
//
// The host is installed in a temporary folder with two plugged devices, each with a copy of the
// recording module; the devices go into the Wine prefix the bench runs in, whose device keys and
// %APPDATA%\Quor are replaced and removed afterwards (DeviceSandbox).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "sdk/DashwellPage.h"
#include "tests/devices/DeviceSandbox.h"
#include "tests/support/ProcessWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/tools/ToolRunner.h"
#include "ui/WinString.h"

namespace {

constexpr int kStartRuns = 10;
constexpr int kSwitchSessions = 5;
constexpr int kSwitchesPerSession = 10;
constexpr DWORD kTimeoutMilliseconds = 30000;
constexpr UINT kMinimalSwitchMessage = WM_APP + 1;  // minimal_window's switch request

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

WString BuildPath(const char* linuxPath) {
    return FromUtf8(HostPath(linuxPath));
}

void Require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

// Dashwell.exe in …\Host\ and the devices BenchA and BenchB, plugged, each with the recording module.
class BenchInstall {
public:
    BenchInstall() {
        CopyInto(BuildPath(DASHWELL_EXE), u"Host", u"Dashwell.exe");
        for (const char16_t* key : {kDeviceA, kDeviceB}) {
            m_sandbox.InstallPlugged(key, 1);
            m_sandbox.SetDeviceValue(key, u"Path", StringBytes(m_root.Path() + key));
            m_sandbox.SetDevicePlug(key, DwordBytes(1));
            CopyInto(BuildPath(RECORDING_FULL_DLL), key, u"Setting.dll");
        }
    }

    WString HostExe() const { return m_root.Path() + u"Host\\Dashwell.exe"; }
    WString ModuleA() const { return m_root.Path() + kDeviceA + u"\\Setting.dll"; }
    WString ModuleB() const { return m_root.Path() + kDeviceB + u"\\Setting.dll"; }

private:
    static constexpr char16_t kDeviceA[] = u"BenchA";
    static constexpr char16_t kDeviceB[] = u"BenchB";

    void CopyInto(const WString& from, const WString& folder, const WString& name) const {
        CreateDirectoryW(WinStr(m_root.Path() + folder), nullptr);
        Require(CopyFileW(WinStr(from), WinStr(m_root.Path() + folder + u"\\" + name), FALSE),
                "cannot copy " + ToUtf8(from));
    }

    TempFolder m_root;
    DeviceSandbox m_sandbox;
};

// A program under measurement and how to ask it for a switch.
struct Subject {
    const char* label;
    WString commandLine;
    const wchar_t* title;
    UINT switchMessage;
    HANDLE paintEvent;
    WString eventName;
};

// One running instance of a subject, started by the constructor and closed by WM_CLOSE at the end.
class Session {
public:
    explicit Session(const Subject& subject) : m_subject(subject) {
        SetEnvironmentVariableW(L"DASHWELL_MODULE_SIGNAL", WinStr(subject.eventName));
        WString commandLine = subject.commandLine;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        ResetEvent(subject.paintEvent);
        const Clock::time_point start = Clock::now();
        Require(CreateProcessW(nullptr, WinBuf(commandLine.data()), nullptr, nullptr, FALSE, 0, nullptr,
                               system, &startup, &m_process),
                std::string("cannot start ") + subject.label);
        try {
            WaitForPaint();
            m_startMilliseconds = MillisecondsSince(start);
            m_window = FindMainWindow();
        } catch (...) {
            Close();
            throw;
        }
    }

    ~Session() { Close(); }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    double StartMilliseconds() const { return m_startMilliseconds; }

    double SwitchMilliseconds(LPARAM direction) const {
        ResetEvent(m_subject.paintEvent);
        const Clock::time_point start = Clock::now();
        Require(PostMessageW(m_window, m_subject.switchMessage, 0, direction),
                std::string("cannot post to ") + m_subject.label);
        WaitForPaint();
        return MillisecondsSince(start);
    }

private:
    // Without a window (it never came) the process is terminated.
    void Close() {
        if (m_window) {
            PostMessageW(m_window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(m_process.hProcess, kTimeoutMilliseconds) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "host_bench: %s did not close; terminated\n", m_subject.label);
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, kTimeoutMilliseconds);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    void WaitForPaint() const {
        Require(WaitForSingleObject(m_subject.paintEvent, kTimeoutMilliseconds) == WAIT_OBJECT_0,
                std::string("no paint signal from ") + m_subject.label);
    }

    HWND FindMainWindow() const {
        // Painted already, so the window is there: no waiting.
        const HWND window = WaitForProcessWindow(m_process.dwProcessId, m_subject.title, 0);
        Require(window != nullptr, std::string("no main window of ") + m_subject.label);
        return window;
    }

    const Subject& m_subject;
    PROCESS_INFORMATION m_process{};
    double m_startMilliseconds = 0;
    HWND m_window = nullptr;
};

struct Figures {
    std::vector<double> milliseconds;

    double Median() {
        std::sort(milliseconds.begin(), milliseconds.end());
        return milliseconds[milliseconds.size() / 2];
    }
    double Min() const { return *std::min_element(milliseconds.begin(), milliseconds.end()); }
    double Max() const { return *std::max_element(milliseconds.begin(), milliseconds.end()); }
};

void MeasureStartUps(const Subject& subject, Figures& figures) {
    Session session(subject);
    figures.milliseconds.push_back(session.StartMilliseconds());
}

// Next and previous alternately: with two devices every request changes the device.
void MeasureSwitches(const Subject& subject, Figures& figures) {
    Session session(subject);
    for (int i = 0; i < kSwitchesPerSession; ++i) {
        figures.milliseconds.push_back(session.SwitchMilliseconds(i % 2 == 0 ? 1 : -1));
    }
}

void PrintRows(const char* step, const Subject& host, Figures& hostFigures, const Subject& baseline,
               Figures& baselineFigures) {
    for (auto [subject, figures] : {std::pair{&host, &hostFigures}, std::pair{&baseline, &baselineFigures}}) {
        std::printf("%-9s %-16s %5zu %9.1f %9.1f %9.1f\n", step, subject->label, figures->milliseconds.size(),
                    figures->Median(), figures->Min(), figures->Max());
    }
    std::printf("%-9s %-16s %5s %9.2f\n", step, "ratio (medians)", "",
                hostFigures.Median() / baselineFigures.Median());
}

HANDLE CreatePaintEvent(const WString& name) {
    const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, WinStr(name));
    Require(event != nullptr, "cannot create the event " + ToUtf8(name));
    return event;
}

WString Quoted(const WString& path) {
    return u"\"" + path + u"\"";
}

void Run() {
    // Other steering would change what is measured; the log would add file writes.
    for (const wchar_t* name :
         {L"DASHWELL_MODULE_LOG", L"DASHWELL_MODULE_SEND_ON_INIT", L"DASHWELL_MODULE_CLOSE_ON_INIT"}) {
        SetEnvironmentVariableW(name, nullptr);
    }
    const BenchInstall install;
    const WString prefix = u"DashwellBench-" + FromUtf8(std::to_string(GetCurrentProcessId()));
    const WString minimal = Quoted(BuildPath(MINIMAL_WINDOW_EXE));
    const Subject host{"Dashwell.exe",
                       Quoted(install.HostExe()),
                       L"Quor Gaming service",
                       DASHWELL_WM_DEVICE_SWITCH,
                       CreatePaintEvent(prefix + u"-host"),
                       prefix + u"-host"};
    const Subject plainStart{"minimal_window",
                             minimal,
                             L"Minimal window",
                             kMinimalSwitchMessage,
                             CreatePaintEvent(prefix + u"-baseline"),
                             prefix + u"-baseline"};
    Subject plainSwitch = plainStart;
    plainSwitch.commandLine += u" " + Quoted(install.ModuleA()) + u" " + Quoted(install.ModuleB());

    // One untimed round first: the first start of each program reads its files from disk.
    Figures ignored;
    MeasureStartUps(host, ignored);
    MeasureStartUps(plainStart, ignored);

    Figures hostStart, plainStartFigures, hostSwitch, plainSwitchFigures;
    for (int i = 0; i < kStartRuns; ++i) {
        MeasureStartUps(host, hostStart);
        MeasureStartUps(plainStart, plainStartFigures);
    }
    for (int i = 0; i < kSwitchSessions; ++i) {
        MeasureSwitches(host, hostSwitch);
        MeasureSwitches(plainSwitch, plainSwitchFigures);
    }
    std::printf("%-9s %-16s %5s %9s %9s %9s\n", "step", "program", "runs", "median ms", "min ms", "max ms");
    PrintRows("start-up", host, hostStart, plainStart, plainStartFigures);
    PrintRows("switch", host, hostSwitch, plainSwitch, plainSwitchFigures);
    CloseHandle(host.paintEvent);
    CloseHandle(plainStart.paintEvent);
}

}  // namespace

int main() {
    try {
        Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "host_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
