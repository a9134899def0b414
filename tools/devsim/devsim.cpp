// devsim: writes what the device software would write and posts what it would post, so that demos and
// tests can plug and unplug devices and poke the running host without it. Each command reads its own
// arguments; this file only dispatches.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/devsim/SimCommands.h"
#include "ui/WinString.h"

namespace {

const SimCommand kSimCommands[] = {
    {"plug", "KEYNAME 0|1   mark a device unplugged or plugged (config.ini and DevicePlug)", RunPlugCommand},
    {"send", "next|prev|refresh   post a device switch or refresh to the running host window",
     RunSendCommand},
};

int PrintUsage() {
    std::fprintf(stderr, "usage: devsim COMMAND ARGS...\n");
    for (const SimCommand& c : kSimCommands) {
        std::fprintf(stderr, "  devsim %s %s\n", c.name, c.usage);
    }
    return kSimExitUsage;
}

}  // namespace

int SimUsageError(std::string_view message) {
    std::fprintf(stderr, "devsim: %.*s\n", static_cast<int>(message.size()), message.data());
    return kSimExitUsage;
}

int SimFailure(std::string_view message) {
    std::fprintf(stderr, "devsim: %.*s\n", static_cast<int>(message.size()), message.data());
    return kSimExitFailure;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return PrintUsage();
    }
    const WString name = FromWin(argv[1]);
    for (const SimCommand& c : kSimCommands) {
        if (name == FromUtf8(c.name)) {
            SimArgs args;
            for (int i = 2; i < argc; ++i) {
                args.push_back(FromWin(argv[i]));
            }
            return c.run(args);
        }
    }
    SimUsageError("unknown command '" + ToUtf8(name) + "'");
    return PrintUsage();
}
