// Each built module exports exactly its share of the seven entry points, under their plain names, and
// loads with the host's search flags alone (a module needing a runtime DLL beside it would not).
#include <gtest/gtest.h>

#include <algorithm>

#include "ModuleTestSupport.h"

namespace {

const std::vector<std::string> kEntryPoints = {
    "InitialPageInfo",  "SetPreAndNextDev",       "UnIntialPageInfo", "ProcessFunction",
    "ProcessParentDef", "DllPreTranslateMessage", "ZQ455EXIT"};

struct ModuleExports {
    const char* folder;
    std::vector<std::string> exports;
};

const ModuleExports kModules[] = {
    {"sample",
     {"InitialPageInfo", "SetPreAndNextDev", "UnIntialPageInfo", "ProcessFunction", "ProcessParentDef",
      "DllPreTranslateMessage"}},
    {"recording/full",
     {"InitialPageInfo", "SetPreAndNextDev", "UnIntialPageInfo", "ProcessFunction", "ProcessParentDef",
      "DllPreTranslateMessage"}},
    {"recording/noinit",
     {"SetPreAndNextDev", "UnIntialPageInfo", "ProcessFunction", "ProcessParentDef",
      "DllPreTranslateMessage"}},
    {"recording/keep", kEntryPoints},
    {"recording/bare", {"UnIntialPageInfo", "ProcessFunction"}},
};

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ModuleExports, EachModuleExportsExactlyItsEntryPoints) {
    for (const ModuleExports& expected : kModules) {
        SCOPED_TRACE(expected.folder);
        const LoadedModule module(expected.folder);
        ASSERT_NE(module.Handle(), nullptr);
        EXPECT_EQ(Sorted(ExportedNames(module.Handle())), Sorted(expected.exports));
        for (const std::string& name : kEntryPoints) {
            const bool bExpected =
                std::find(expected.exports.begin(), expected.exports.end(), name) != expected.exports.end();
            EXPECT_EQ(module.Export<FARPROC>(name.c_str()) != nullptr, bExpected) << name;
        }
    }
}

}  // namespace
