// The recording module's log: one UTF-8 line per event, appended to the file that the environment
// variable DASHWELL_MODULE_LOG names, each line starting with the module instance's tag. Every value is
// read from the environment at the moment of the call, so a test can change it between calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "xml/WideString.h"

// The module whose folder names the instance when DASHWELL_MODULE_TAG is unset; set once, at attach.
void SetLoggingModule(HMODULE module);

// Appends "<tag> <event>\n"; does nothing when DASHWELL_MODULE_LOG is unset or empty.
void LogEvent(const std::string& event);

// The variable's value, or nothing when it is unset.
std::optional<WString> EnvironmentValue(const char16_t* name);
bool EnvironmentIs(const char16_t* name, WStringView value);

std::string Hex(uint64_t number);
