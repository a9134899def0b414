// Output and argument helpers of dashwellctl.
#include "tools/Cli.h"

#include <cstdint>
#include <cstdio>
#include <string>

void PrintLine(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
}

void PrintLine(WStringView text) {
    PrintLine(ToUtf8(text));
}

int UsageError(std::string_view message) {
    std::fprintf(stderr, "dashwellctl: %.*s (try --help)\n", static_cast<int>(message.size()),
                 message.data());
    return kExitUsage;
}

bool WantsHelp(const Args& args) {
    for (const WString& a : args) {
        if (a == u"--help" || a == u"-h") {
            return true;
        }
    }
    return false;
}

std::string UnitsAsHex(WStringView text) {
    std::string out;
    char buf[8];
    for (size_t i = 0; i < text.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(text[i]));
        if (i) {
            out += ' ';
        }
        out += buf;
    }
    return out;
}

bool ParseArgIndex(const WString& text, int64_t& value) {
    if (text.empty() || text.size() > 12) {
        return false;
    }
    value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        value = value * 10 + (c - u'0');
    }
    return true;
}
