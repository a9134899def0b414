// dashwellctl skin DIR: a skin author's lint. Loads the three skin files of DIR the way the program
// does and lists every value the program reads, marking what is missing and pictures that do not load.
#include <windows.h>

#include <string>

#include "skin/AppDirectory.h"
#include "skin/ControlLayout.h"
#include "skin/FrameSkin.h"
#include "skin/PictureFile.h"
#include "skin/SkinDocuments.h"
#include "skin/SkinValue.h"
#include "skin/StringsDocument.h"
#include "tools/Cli.h"
#include "ui/WinString.h"

const char kSkinHelp[] =
    "usage: dashwellctl skin DIR\n"
    "Loads FrameSkins.xml, FrameButtons.xml and strings.xml from DIR the way the program does (DIR\n"
    "standing for the application directory), prints each document's report text, then one line per\n"
    "value the program reads:\n"
    "  ok|missing|ERROR FILE GROUP/ITEM [= \"VALUE\"] [-> what the program makes of it]\n"
    "Required (ERROR when absent, or for pictures when the file does not exist or does not decode):\n"
    "BASE/BK_MASK and its picture under skins\\, WARN_0/MAIN_NORMAL, MAIN_OVER and MAIN_DOWN and their\n"
    "pictures under FrameSkins\\Warn\\, and the WARN_DLG layouts BUTTON_OK_3 and TEXT_TITLE. Everything\n"
    "else (DEBUG, captions, the other warnings' layouts, GLOBAL/FONT and SIZE) is optional.\n"
    "At run time the warning pictures are read from the application directory of that moment, which\n"
    "after a device switch is that device's folder: they must be there too.\n"
    "Exit 0 when every required value is present, 1 otherwise, 2 when DIR is not a folder.";

namespace {

enum class Need { kRequired, kOptional };
enum class Syntax { kText, kInteger, kPicture, kLayout };

struct SkinValueSpec {
    const char* file;
    CXmlDocument* document;
    const char16_t* group;
    const char16_t* item;
    Syntax syntax;
    Need need;
    const char16_t* folder;  // pictures: the folder under the application directory
};

constexpr const char16_t* kSkinsFolder = u"skins\\";
constexpr const char16_t* kWarnFolder = u"FrameSkins\\Warn\\";

const SkinValueSpec kValues[] = {
    {"FrameSkins.xml", &g_docFrameSkin, u"BASE", u"BK_MASK", Syntax::kPicture, Need::kRequired, kSkinsFolder},
    {"FrameSkins.xml", &g_docFrameSkin, u"DEBUG", u"DEBUG", Syntax::kInteger, Need::kOptional, nullptr},
    {"FrameSkins.xml", &g_docFrameSkin, u"DEBUG", u"DEBUG_NAME", Syntax::kText, Need::kOptional, nullptr},
    {"FrameSkins.xml", &g_docFrameSkin, u"WARN_0", u"MAIN_NORMAL", Syntax::kPicture, Need::kRequired,
     kWarnFolder},
    {"FrameSkins.xml", &g_docFrameSkin, u"WARN_0", u"MAIN_OVER", Syntax::kPicture, Need::kRequired,
     kWarnFolder},
    {"FrameSkins.xml", &g_docFrameSkin, u"WARN_0", u"MAIN_DOWN", Syntax::kPicture, Need::kRequired,
     kWarnFolder},
    {"FrameButtons.xml", &g_docButtonLayout, u"WARN_DLG", u"BUTTON_OK", Syntax::kLayout, Need::kOptional,
     nullptr},
    {"FrameButtons.xml", &g_docButtonLayout, u"WARN_DLG", u"BUTTON_CANCEL", Syntax::kLayout, Need::kOptional,
     nullptr},
    {"FrameButtons.xml", &g_docButtonLayout, u"WARN_DLG", u"BUTTON_OK_2", Syntax::kLayout, Need::kOptional,
     nullptr},
    {"FrameButtons.xml", &g_docButtonLayout, u"WARN_DLG", u"BUTTON_CANCEL_2", Syntax::kLayout,
     Need::kOptional, nullptr},
    {"FrameButtons.xml", &g_docButtonLayout, u"WARN_DLG", u"BUTTON_OK_3", Syntax::kLayout, Need::kRequired,
     nullptr},
    {"FrameButtons.xml", &g_docButtonLayout, u"WARN_DLG", u"TEXT_TITLE", Syntax::kLayout, Need::kRequired,
     nullptr},
    {"strings.xml", &g_docStrings, u"GLOBAL", u"FONT", Syntax::kText, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"GLOBAL", u"SIZE", Syntax::kInteger, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"WARN_DLG", u"BUTTON_OK", Syntax::kText, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"WARN_DLG", u"BUTTON_CANCEL", Syntax::kText, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"WARN_DLG", u"BUTTON_OK_2", Syntax::kText, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"WARN_DLG", u"BUTTON_CANCEL_2", Syntax::kText, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"WARN_DLG", u"BUTTON_OK_3", Syntax::kText, Need::kOptional, nullptr},
    {"strings.xml", &g_docStrings, u"WARN_DLG", u"TEXT_TITLE", Syntax::kText, Need::kOptional, nullptr},
};

// What the program makes of a value, and whether that is usable.
struct Reading {
    std::string detail;
    bool usable = true;
};

Reading ReadPicture(const WString& value, const char16_t* folder) {
    const WString relative = WString(folder) + value;
    const WString path = GetAppDirectory() + relative;
    const DWORD attributes = GetFileAttributesW(WinStr(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {ToUtf8(relative) + " does not exist", false};
    }
    CBitmap picture;
    SIZE size{};
    LoadPictureFile(path, picture, &size);
    if (!picture) {
        return {ToUtf8(relative) + " does not decode", false};
    }
    return {ToUtf8(relative) + " " + std::to_string(size.cx) + " x " + std::to_string(size.cy)};
}

Reading ReadLayout(const WString& value) {
    ControlLayout layout;
    ParseControlLayout(value, layout);
    const LayoutRect& r = layout.rcControl;
    return {"rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
            " " + std::to_string(r.bottom) + " tooltip \"" + ToUtf8(layout.strToolTip) + "\" toggle " +
            (layout.bToggle ? "1" : "0")};
}

Reading Interpret(const SkinValueSpec& entry, const WString& value) {
    switch (entry.syntax) {
        case Syntax::kInteger:
            return {std::to_string(ReadSkinInteger(value))};
        case Syntax::kPicture:
            return ReadPicture(value, entry.folder);
        case Syntax::kLayout:
            return ReadLayout(value);
        case Syntax::kText:
            break;
    }
    return {};
}

// Prints the value's line; false when a required value is not usable.
bool CheckValue(const SkinValueSpec& entry) {
    const WString value = GetSkinValue(*entry.document, entry.group, entry.item);
    const bool required = entry.need == Need::kRequired;
    std::string line = std::string(entry.file) + " " + ToUtf8(entry.group) + "/" + ToUtf8(entry.item);
    bool usable = !value.empty();
    if (value.empty()) {
        line += required ? " (required)" : " (optional)";
    } else {
        const Reading reading = Interpret(entry, value);
        line += " = \"" + ToUtf8(value) + "\"";
        if (!reading.detail.empty()) {
            line += " -> " + reading.detail;
        }
        usable = reading.usable;
    }
    const char* status = usable ? "ok       " : (required ? "ERROR    " : "missing  ");
    PrintLine(status + line);
    return usable || !required;
}

void PrintDocument(const char* file, const CXmlDocument& document) {
    PrintLine(std::string("document ") + file + (document.Text().empty() ? " not read" : " read"));
    if (!document.Report().empty()) {
        PrintLine(std::string("report ") + file + ": " + ToUtf8(document.Report()));
    }
}

// The folder as the application directory: ending in a backslash.
WString AsAppDirectory(WString folder) {
    if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') {
        folder += u'\\';
    }
    return folder;
}

bool IsFolder(const WString& path) {
    const DWORD attributes = GetFileAttributesW(WinStr(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int RunSkinCommand(const Args& args) {
    if (args.size() != 1) {
        return UsageError("skin takes DIR");
    }
    if (!IsFolder(args[0])) {
        std::fprintf(stderr, "dashwellctl: %s is not a folder\n", ToUtf8(args[0]).c_str());
        return 2;
    }
    if (!SetAppDirectory(AsAppDirectory(args[0]))) {
        return UsageError("DIR is longer than the program's 259-unit application directory");
    }
    LoadFrameSkinDocuments();
    WString face;
    int32_t height = 0;
    ApplyStringsFontSettings(face, height);
    PrintDocument("FrameSkins.xml", g_docFrameSkin);
    PrintDocument("FrameButtons.xml", g_docButtonLayout);
    PrintDocument("strings.xml", g_docStrings);
    int problems = 0;
    for (const SkinValueSpec& entry : kValues) {
        problems += CheckValue(entry) ? 0 : 1;
    }
    PrintLine("required problems " + std::to_string(problems));
    return problems ? 1 : 0;
}
