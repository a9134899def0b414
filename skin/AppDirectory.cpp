// Storage of the application directory: a fixed, zero-terminated buffer of 260 units.
#include "skin/AppDirectory.h"

#include <algorithm>
#include <array>

namespace {

std::array<char16_t, kAppDirectoryUnits> g_szAppDirectory{};

}  // namespace

WString GetAppDirectory() {
    return WString(g_szAppDirectory.data());
}

bool SetAppDirectory(WStringView folder) {
    // A cut folder would name another place, so a folder that does not fit is refused whole.
    if (folder.size() >= kAppDirectoryUnits || folder.find(u'\0') != WStringView::npos) {
        return false;
    }
    const auto end = std::copy(folder.begin(), folder.end(), g_szAppDirectory.begin());
    *end = u'\0';
    return true;
}
