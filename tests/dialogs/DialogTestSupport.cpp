// Helpers of the dialog tests.
#include "DialogTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "skin/BitmapBtn.h"
#include "tests/support/BmpBytes.h"
#include "ui/WinString.h"

namespace {

COLORREF ColorAt(int x, int y, COLORREF fill, std::initializer_list<ColorRect> rects) {
    COLORREF color = fill;
    for (const ColorRect& r : rects) {
        if (x >= r.rect.left && x < r.rect.right && y >= r.rect.top && y < r.rect.bottom) {
            color = r.color;
        }
    }
    return color;
}

}  // namespace

std::string BmpFile(int width, int height, COLORREF fill, std::initializer_list<ColorRect> rects) {
    const uint32_t stride = Bmp24Stride(static_cast<uint32_t>(width));
    std::string bmp = Bmp24Header(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    // Rows bottom-up, pixels blue, green, red.
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const COLORREF color = ColorAt(x, y, fill, rects);
            row += static_cast<char>(GetBValue(color));
            row += static_cast<char>(GetGValue(color));
            row += static_cast<char>(GetRValue(color));
        }
        row.resize(stride, '\0');
        bmp += row;
    }
    return bmp;
}

void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {

const wchar_t kParentClass[] = L"DashwellTestParent";
const wchar_t kScriptClass[] = L"DashwellModalScript";
constexpr UINT kRunStep = WM_APP + 1;
constexpr UINT_PTR kPollTimer = 1;
// Polls of 20 ms each: ten seconds for input from another process to arrive.
constexpr int kMaxPolls = 500;

void RegisterClassOnce(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

}  // namespace

LoggingParent::LoggingParent(int width, int height) {
    RegisterClassOnce(kParentClass, ::DefWindowProcW);
    CreateEx(0, kParentClass, u"test parent", WS_POPUP | WS_VISIBLE,
             RECT{100, 100, 100 + width, 100 + height}, nullptr, 0);
    SetActiveWindow(Handle());
}

LRESULT LoggingParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_MOUSEMOVE || message == WM_SKINBTN_PRESSED) {
        m_log.push_back({message, wParam, lParam});
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

ModalScript::ModalScript() {
    RegisterClassOnce(kScriptClass, WindowProcedure);
    m_hWnd = CreateWindowExW(0, kScriptClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ModalScript::~ModalScript() {
    DestroyWindow(m_hWnd);
}

ModalScript& ModalScript::Then(std::function<void()> step) {
    m_steps.push_back({nullptr, std::move(step)});
    return *this;
}

ModalScript& ModalScript::ThenWhen(std::function<bool()> condition, std::function<void()> step) {
    m_steps.push_back({std::move(condition), std::move(step)});
    return *this;
}

void ModalScript::Start() {
    PostMessageW(m_hWnd, kRunStep, 0, 0);
}

LRESULT CALLBACK ModalScript::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* script = reinterpret_cast<ModalScript*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (script && (message == kRunStep || (message == WM_TIMER && wParam == kPollTimer))) {
        KillTimer(window, kPollTimer);
        script->RunNext();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ModalScript::RunNext() {
    if (m_steps.empty()) {
        return;
    }
    Step& step = m_steps.front();
    if (step.ready && (m_nPolls == 0 || !step.ready())) {
        // A timer comes only when no input is waiting, so each poll sees the input that came before it.
        if (++m_nPolls < kMaxPolls) {
            SetTimer(m_hWnd, kPollTimer, 20, nullptr);
            return;
        }
        ADD_FAILURE() << "a scripted step waited in vain";
    }
    m_nPolls = 0;
    const std::function<void()> run = std::move(step.run);
    m_steps.pop_front();
    run();
    if (!m_steps.empty()) {
        PostMessageW(m_hWnd, kRunStep, 0, 0);
    }
}

namespace {

std::filesystem::path FromLinux(const std::string& path) {
    return "Z:" + path;
}

}  // namespace

LinuxCommand::LinuxCommand(const std::string& commandLine) {
    static std::atomic<int> counter{0};
    m_marker = "/tmp/dashwell-dialogs-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(counter++) + ".status";
    // Wine starts Linux programs but gives no handle to wait on: the command leaves its status in a file.
    const std::string script =
        "(" + commandLine + "); echo $? > " + m_marker + ".part && mv " + m_marker + ".part " + m_marker;
    std::wstring command = L"Z:\\bin\\sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    m_bStarted = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process);
    if (m_bStarted) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

LinuxCommand::~LinuxCommand() {
    Wait();
    std::error_code ignored;
    std::filesystem::remove(FromLinux(m_marker), ignored);
}

bool LinuxCommand::Finished() const {
    return !m_bStarted || std::filesystem::exists(FromLinux(m_marker));
}

bool LinuxCommand::Wait() {
    for (int i = 0; i < 1000 && !Finished(); ++i) {
        Sleep(20);
    }
    std::string status;
    std::ifstream(FromLinux(m_marker)) >> status;
    return m_bStarted && status == "0";
}

bool RunLinuxCommand(const std::string& commandLine) {
    return LinuxCommand(commandLine).Wait();
}

bool SaveScreenshot(const std::string& name) {
    const std::string folder = DASHWELL_ARTIFACTS_DIR;
    return RunLinuxCommand("mkdir -p " + folder + " && import -window root " + folder + "/" + name);
}

bool MouseClickAt(POINT screen, int button) {
    return RunLinuxCommand("xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) +
                           " click " + std::to_string(button));
}

bool MouseMoveTo(POINT screen) {
    return RunLinuxCommand("xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y));
}

POINT WindowCenter(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}
