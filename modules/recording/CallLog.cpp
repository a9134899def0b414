#include "CallLog.h"

#include "ui/WinString.h"

namespace {

HMODULE g_module = nullptr;

// The last component of the module's folder: "Mouse" for C:\Devices\Mouse\Setting.dll.
WString ModuleFolderName() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
    const WString file = FromWin(path, length);
    const size_t fileStart = file.find_last_of(u"\\/");
    if (fileStart == WString::npos || fileStart == 0) {
        return u"?";
    }
    const size_t folderStart = file.find_last_of(u"\\/", fileStart - 1);
    const size_t nameStart = folderStart == WString::npos ? 0 : folderStart + 1;
    return file.substr(nameStart, fileStart - nameStart);
}

WString Tag() {
    const std::optional<WString> tag = EnvironmentValue(u"DASHWELL_MODULE_TAG");
    return tag && !tag->empty() ? *tag : ModuleFolderName();
}

}  // namespace

void SetLoggingModule(HMODULE module) {
    g_module = module;
}

std::optional<WString> EnvironmentValue(const char16_t* name) {
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(WinStr(name), nullptr, 0);
    if (size == 0) {
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<WString>(WString());
    }
    WString value(size, u'\0');
    const DWORD length = GetEnvironmentVariableW(WinStr(name), WinBuf(value.data()), size);
    value.resize(length < size ? length : 0);
    return value;
}

bool EnvironmentIs(const char16_t* name, WStringView value) {
    const std::optional<WString> text = EnvironmentValue(name);
    return text && *text == value;
}

void LogEvent(const std::string& event) {
    const std::optional<WString> logPath = EnvironmentValue(u"DASHWELL_MODULE_LOG");
    if (!logPath || logPath->empty()) {
        return;
    }
    // Opened per line and appended in one write, so that host and test may share the file and read it
    // between calls.
    const HANDLE file = CreateFileW(WinStr(*logPath), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string line = ToUtf8(Tag()) + ' ' + event + '\n';
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Hex(uint64_t number) {
    static const char kDigits[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[number % 16]);
        number /= 16;
    } while (number != 0);
    return "0x" + digits;
}
