// The thin seam between the XML reader and the platform: code-page conversion, opening a file by its
// UTF-16 path, and the text of the last system error. Win32 builds use the real API; the portable build
// uses iconv and the C library, with a fast UTF-8 path of its own.
#pragma once

#include <cstdint>
#include <cstdio>

#include "xml/WideString.h"

// Converts bytes in a code page to UTF-16 the way MultiByteToWideChar(codePage, 0, ...) does:
// with room 0 it returns the units needed; otherwise the units written, or 0 when the room is too
// small, the code page is not supported, or the input is empty. Code page 0 is the system's ANSI
// code page (windows-1252 in the portable build).
int32_t CodePageToUtf16(uint32_t codePage, const char* source, int32_t sourceLength, char16_t* output,
                        int32_t room);

// True when the platform converts from this code page at all.
bool IsCodePageSupported(uint32_t codePage);

// The platform's message for the calling thread's last error, cut before its first CR or LF; empty
// when there is none or it does not fit 100 units.
WString SystemErrorText();

// Opens a file for reading bytes without text translation; null on failure (the last error is set).
std::FILE* OpenFileForReading(const WString& path);

// The file's length in bytes, leaving the position at the start; -1 when it cannot be told.
int64_t FileLength(std::FILE* file);
