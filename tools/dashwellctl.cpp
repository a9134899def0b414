// dashwellctl: the command-line tool for skin authors, device installers and tests. Each command reads
// what the program reads, the way the program reads it, and prints one value per line.
#include <cstdio>
#include <cstring>

#include "tools/Cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "ui/WinString.h"
#endif

namespace {

const Command kCommands[] = {
    {"xml", "read an XML file the way the program does", kXmlHelp, RunXmlCommand},
    {"layout", "parse a control layout", kLayoutHelp, RunLayoutCommand},
#ifdef _WIN32
    {"warn", "show a warning dialog with a skin", kWarnHelp, RunWarnCommand},
    {"devices", "list the installed devices as the host reads them", kDevicesHelp, RunDevicesCommand},
    {"picture", "decode a picture file and print its size", kPictureHelp, RunPictureCommand},
    {"region", "print the window outline cut from a mask picture", kRegionHelp, RunRegionCommand},
    {"skin", "check a skin folder: every value the program reads", kSkinHelp, RunSkinCommand},
#endif
};

void PrintToolHelp() {
    PrintLine(
        std::string_view("usage: dashwellctl COMMAND [ARGS...]   (dashwellctl COMMAND --help for more)"));
    PrintLine(std::string_view(""));
    for (const Command& c : kCommands) {
        std::string line = "  ";
        line += c.name;
        line.append(12 - std::strlen(c.name), ' ');
        line += c.summary;
        PrintLine(line);
    }
}

int Run(const Args& all) {
    if (all.empty() || all[0] == u"--help" || all[0] == u"-h" || all[0] == u"help") {
        PrintToolHelp();
        return all.empty() ? kExitUsage : 0;
    }
    for (const Command& c : kCommands) {
        if (all[0] == FromUtf8(c.name)) {
            Args rest(all.begin() + 1, all.end());
            if (WantsHelp(rest)) {
                PrintLine(std::string_view(c.help));
                return 0;
            }
            return c.run(rest);
        }
    }
    return UsageError("unknown command '" + ToUtf8(all[0]) + "'");
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    // UTF-8 bytes with \n line ends, whatever the console's code page.
    _setmode(_fileno(stdout), _O_BINARY);
    Args args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(FromWin(argv[i]));
    }
    int rc = Run(args);
    std::fflush(stdout);
    return rc;
}
#else
int main(int argc, char** argv) {
    Args args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(FromUtf8(argv[i]));
    }
    int rc = Run(args);
    std::fflush(stdout);
    return rc;
}
#endif
