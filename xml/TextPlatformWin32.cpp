// The Win32 side of the text seam: code pages through MultiByteToWideChar, files through the C
// runtime's wide open, messages through FormatMessageW. The caller owns and closes the FILE* it gets.
#include <windows.h>

#include <cstdio>

#include "xml/TextPlatform.h"

namespace {

constexpr DWORD kMessageRoom = 100;

// UTF-16 units both: the reader's strings and Win32's wide strings differ only in their element type.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

}  // namespace

int32_t CodePageToUtf16(uint32_t codePage, const char* source, int32_t sourceLength, char16_t* output,
                        int32_t room) {
    // A negative length would make the call read up to a 0 byte, past what the caller gave.
    if (source == nullptr || sourceLength <= 0 || room < 0) {
        return 0;
    }
    if (output == nullptr) {
        room = 0;
    }
    return MultiByteToWideChar(codePage, 0, source, sourceLength,
                               room == 0 ? nullptr : reinterpret_cast<wchar_t*>(output), room);
}

bool IsCodePageSupported(uint32_t codePage) {
    return codePage == CP_ACP || IsValidCodePage(codePage);
}

WString SystemErrorText() {
    DWORD error = GetLastError();
    wchar_t message[kMessageRoom];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), message, kMessageRoom, nullptr);
    WString text(reinterpret_cast<const char16_t*>(message), length);
    return text.substr(0, text.find_first_of(u"\r\n"));
}

std::FILE* OpenFileForReading(const WString& path) {
    // The C runtime stops at the first 0 unit and would open a different, shorter name.
    if (path.find(u'\0') != WString::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return nullptr;
    }
    return _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), L"rb");
}

int64_t FileLength(std::FILE* file) {
    if (file == nullptr || _fseeki64(file, 0, SEEK_END) != 0) {
        return -1;
    }
    int64_t length = _ftelli64(file);
    if (_fseeki64(file, 0, SEEK_SET) != 0) {
        return -1;
    }
    return length;
}
