// The commands of devsim, each in its own file and listed in devsim.cpp.
#pragma once

#include <string_view>
#include <vector>

#include "xml/WideString.h"

constexpr int kSimExitFailure = 1;
constexpr int kSimExitUsage = 64;

using SimArgs = std::vector<WString>;

struct SimCommand {
    const char* name;
    const char* usage;  // arguments after the command name
    int (*run)(const SimArgs& args);
};

// One line on stderr; returns kSimExitUsage.
int SimUsageError(std::string_view message);
// One line on stderr; returns kSimExitFailure.
int SimFailure(std::string_view message);

int RunPlugCommand(const SimArgs& args);
int RunSendCommand(const SimArgs& args);
