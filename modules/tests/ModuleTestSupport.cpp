#include "ModuleTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ui/WinString.h"

namespace {

constexpr wchar_t kTestHostClass[] = L"DashwellModuleTestHost";

template <typename Fn>
Fn RequiredExport(const LoadedModule& module, const char* name) {
    const Fn function = module.Export<Fn>(name);
    if (!function) {
        ADD_FAILURE() << "the module does not export " << name;
    }
    return function;
}

}  // namespace

WString WindowsPath(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return FromUtf8("Z:" + path);
}

DWORD RunProcess(const WString& commandLine) {
    WString mutableLine = commandLine;
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, WinBuf(mutableLine.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return ~0u;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = ~0u;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

WString ModuleFolderPath(std::string_view folder) {
    return WindowsPath(std::string(DASHWELL_MODULES_DIR) + "/" + std::string(folder));
}

WString ModulePath(std::string_view folder) {
    return ModuleFolderPath(folder) + u"\\Setting.dll";
}

LoadedModule::LoadedModule(std::string_view folder)
    : m_hModule(LoadLibraryExW(WinStr(ModulePath(folder)), nullptr,
                               LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    EXPECT_NE(m_hModule, nullptr) << "cannot load " << ToUtf8(ModulePath(folder)) << ": " << GetLastError();
}

void LoadedModule::Release() {
    if (m_hModule) {
        FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }
}

void LoadedModule::InitialPageInfo(HWND host) const {
    if (auto function = RequiredExport<DashwellInitialPageInfoFn>(*this, "InitialPageInfo")) {
        function(host);
    }
}

void LoadedModule::SetPreAndNextDev(const wchar_t* previous, const wchar_t* next) const {
    if (auto function = RequiredExport<DashwellSetPreAndNextDevFn>(*this, "SetPreAndNextDev")) {
        function(previous, next);
    }
}

void LoadedModule::UnIntialPageInfo() const {
    if (auto function = RequiredExport<DashwellUnIntialPageInfoFn>(*this, "UnIntialPageInfo")) {
        function();
    }
}

int LoadedModule::ProcessFunction(UINT message, WPARAM wParam, LPARAM lParam) const {
    auto function = RequiredExport<DashwellProcessFunctionFn>(*this, "ProcessFunction");
    return function ? function(message, wParam, lParam) : -1;
}

void LoadedModule::ProcessParentDef(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (auto function = RequiredExport<DashwellProcessParentDefFn>(*this, "ProcessParentDef")) {
        function(message, wParam, lParam);
    }
}

BOOL LoadedModule::DllPreTranslateMessage(MSG* message) const {
    auto function = RequiredExport<DashwellDllPreTranslateMessageFn>(*this, "DllPreTranslateMessage");
    return function ? function(message) : -1;
}

std::vector<std::string> ExportedNames(HMODULE module) {
    std::vector<std::string> names;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.Size == 0) {
        return names;
    }
    const auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* nameOffsets = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
        names.emplace_back(reinterpret_cast<const char*>(base + nameOffsets[i]));
    }
    return names;
}

std::optional<WString> EnvironmentVariable(const char16_t* name) {
    wchar_t value[4096];
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetEnvironmentVariableW(WinStr(name), value, std::size(value));
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
        return std::nullopt;
    }
    return FromWin(value, length < std::size(value) ? length : 0);
}

ScopedEnvironment::ScopedEnvironment(const char16_t* name, const std::optional<WString>& value)
    : m_name(name), m_previous(EnvironmentVariable(name)) {
    SetEnvironmentVariableW(WinStr(m_name), value ? WinStr(*value) : nullptr);
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableW(WinStr(m_name), m_previous ? WinStr(*m_previous) : nullptr);
}

std::vector<std::string> ReadLines(const WString& path) {
    std::vector<std::string> lines;
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string HexText(uint64_t number) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(number));
    return text;
}

TestHost::TestHost(int width, int height) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTestHostClass;
    RegisterClassW(&windowClass);
    m_hWnd = CreateWindowExW(0, kTestHostClass, L"Quor Gaming service", WS_POPUP, 0, 0, width, height,
                             nullptr, nullptr, GetModuleHandleW(nullptr), this);
    EXPECT_NE(m_hWnd, nullptr);
}

TestHost::~TestHost() {
    DestroyWindow(m_hWnd);
}

std::optional<HostMessage> TestHost::TakePosted(UINT message) const {
    MSG posted;
    if (!PeekMessageW(&posted, m_hWnd, message, message, PM_REMOVE)) {
        return std::nullopt;
    }
    return HostMessage{posted.message, posted.wParam, posted.lParam};
}

LRESULT CALLBACK TestHost::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && (message == DASHWELL_WM_DEVICE_SWITCH || message == WM_CLOSE)) {
        host->m_sent.push_back({message, wParam, lParam});
        if (message == DASHWELL_WM_DEVICE_SWITCH && host->m_onSwitch) {
            host->m_onSwitch();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
