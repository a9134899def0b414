// Shared plumbing of dashwellctl: UTF-8 output with \n line ends on every platform, usage errors, and
// the table of commands.
#pragma once

#include <string_view>
#include <vector>

#include "xml/WideString.h"

constexpr int kExitUsage = 64;

using Args = std::vector<WString>;

void PrintLine(std::string_view utf8);
void PrintLine(WStringView text);
// A clear one-line error on stderr; returns kExitUsage.
int UsageError(std::string_view message);
// True when args holds "--help" or "-h" at any place; the command then prints its help.
bool WantsHelp(const Args& args);
// Hex code units, four upper-case digits each, separated by single spaces.
std::string UnitsAsHex(WStringView text);
// Strict non-negative decimal for command arguments; false on anything else.
bool ParseArgIndex(const WString& text, int64_t& value);

struct Command {
    const char* name;
    const char* summary;
    const char* help;  // full usage text
    int (*run)(const Args& args);
};

// Each command lives in its own file and is listed in dashwellctl.cpp.
int RunXmlCommand(const Args& args);
int RunLayoutCommand(const Args& args);
int RunPictureCommand(const Args& args);
int RunRegionCommand(const Args& args);
int RunSkinCommand(const Args& args);
int RunWarnCommand(const Args& args);
int RunDevicesCommand(const Args& args);
extern const char kXmlHelp[];
extern const char kLayoutHelp[];
extern const char kPictureHelp[];
extern const char kRegionHelp[];
extern const char kSkinHelp[];
extern const char kWarnHelp[];
extern const char kDevicesHelp[];
