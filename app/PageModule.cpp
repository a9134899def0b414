// Page module paths and loading.
#include "app/PageModule.h"

#include <vector>

#include "ui/WinString.h"

namespace {

constexpr size_t kMaxPathUnits = 259;

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

size_t DriveLength(WStringView path) {
    return path.size() >= 2 && path[1] == u':' ? 2 : 0;
}

// "C:\…" or "\\server\…"; a drive-relative ("C:x"), rooted ("\x") or relative path is not.
bool IsAbsolutePath(WStringView path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == u':' && IsSeparator(path[2])) {
        return true;
    }
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

}  // namespace

WString DriveAndFolder(WStringView path) {
    const size_t drive = DriveLength(path);
    const size_t lastSeparator = path.find_last_of(u"\\/");
    if (lastSeparator == WStringView::npos || lastSeparator < drive) {
        return WString(path.substr(0, drive));
    }
    return WString(path.substr(0, lastSeparator + 1));
}

std::optional<WString> PageModuleFile(WStringView path) {
    WString file = DriveAndFolder(path) + u"Setting.dll";
    if (file.size() > kMaxPathUnits || !IsAbsolutePath(file) || file.find(u'\0') != WString::npos) {
        return std::nullopt;
    }
    return file;
}

HMODULE LoadModuleFromFile(const WString& file) {
    HMODULE module = LoadLibraryExW(WinStr(file), nullptr,
                                    LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems without the search flags refuse them as an invalid parameter; with an absolute path the
    // altered search order starts at the module's own folder too.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        module = LoadLibraryExW(WinStr(file), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return module;
}

WString ExecutableFolder() {
    // Long enough for any path, so that a long one is refused as too long rather than cut.
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return {};
    }
    return DriveAndFolder(FromWin(buffer.data(), length));
}

POINT MinimisedIconPosition(const RECT& client, int iconWidth, int iconHeight) {
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    return {(width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2};
}
