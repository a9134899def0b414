// dashwellctl xml ...: reads a file with the program's own XML reader and prints what the program
// would see: the report text, the element index, skin values, element text, navigation steps,
// reference decoding and encoding names.
#include <cstdio>
#include <string>

#include "skin/SkinValue.h"
#include "tools/Cli.h"
#include "xml/Encodings.h"
#include "xml/Entities.h"
#include "xml/XmlDocument.h"

const char kXmlHelp[] =
    "usage: dashwellctl xml SUBCOMMAND ...\n"
    "  report FILE                     the report text; exit 0 well-formed, 1 not well-formed, 2 unreadable\n"
    "  index FILE                      'records N capacity C', then per record: i start length\n"
    "                                  start-tag-length end-tag-length parent first-child next-sibling\n"
    "                                  previous-sibling flags\n"
    "  get [--units] FILE GROUP ITEM   the skin value (empty when absent)\n"
    "  text [--units] FILE INDEX       the text of element INDEX (0..N-1)\n"
    "  nav FILE OP...                  navigation steps: reset, find[=NAME], child[=NAME], enter, childtext\n"
    "  decode [--units] TEXT           TEXT with entity and character references decoded\n"
    "  codepage NAME                   the code page of an encoding name (-1: unknown)\n"
    "--units prints UTF-16 code units as hex. Commands that read FILE exit 2 when it cannot be read.";

namespace {

constexpr int kExitUnreadable = 2;

// Loads FILE or says why not on stderr.
bool Load(CXmlDocument& doc, const WString& path) {
    if (doc.LoadFromFile(path)) {
        return true;
    }
    std::fprintf(stderr, "dashwellctl: cannot read %s: %s\n", ToUtf8(path).c_str(),
                 ToUtf8(doc.Report()).c_str());
    return false;
}

void PrintValue(const WString& value, bool units) {
    if (units) {
        PrintLine(UnitsAsHex(value));
    } else {
        PrintLine(value);
    }
}

// Removes a leading --units flag; true when it was there.
bool TakeUnitsFlag(Args& args) {
    if (!args.empty() && args[0] == u"--units") {
        args.erase(args.begin());
        return true;
    }
    return false;
}

int Report(const Args& args) {
    if (args.size() != 1) {
        return UsageError("xml report takes FILE");
    }
    CXmlDocument doc;
    if (!doc.LoadFromFile(args[0])) {
        PrintLine(doc.Report());
        return kExitUnreadable;
    }
    PrintLine(doc.Report());
    return doc.IsWellFormed() ? 0 : 1;
}

int Index(const Args& args) {
    if (args.size() != 1) {
        return UsageError("xml index takes FILE");
    }
    CXmlDocument doc;
    if (!Load(doc, args[0])) {
        return kExitUnreadable;
    }
    PrintLine("records " + std::to_string(doc.NextFree()) + " capacity " + std::to_string(doc.Capacity()));
    for (int32_t i = 0; i < doc.NextFree(); ++i) {
        const ElementRecord& r = doc.Record(i);
        char line[160];
        std::snprintf(line, sizeof line, "%d %d %d %u %u %d %d %d %d %u", i, r.start, r.length,
                      r.StartTagLength(), r.EndTagLength(), r.parent, r.firstChild, r.nextSibling,
                      r.prevSibling, r.flags);
        PrintLine(std::string(line));
    }
    return 0;
}

int Get(Args args) {
    bool units = TakeUnitsFlag(args);
    if (args.size() != 3) {
        return UsageError("xml get takes [--units] FILE GROUP ITEM");
    }
    CXmlDocument doc;
    if (!Load(doc, args[0])) {
        return kExitUnreadable;
    }
    PrintValue(GetSkinValue(doc, args[1].c_str(), args[2].c_str()), units);
    return 0;
}

int Text(Args args) {
    bool units = TakeUnitsFlag(args);
    int64_t index = 0;
    if (args.size() != 2 || !ParseArgIndex(args[1], index)) {
        return UsageError("xml text takes [--units] FILE INDEX");
    }
    CXmlDocument doc;
    if (!Load(doc, args[0])) {
        return kExitUnreadable;
    }
    if (index >= doc.NextFree()) {
        return UsageError("INDEX must lie in 0.." + std::to_string(doc.NextFree() - 1));
    }
    PrintValue(doc.GetElementText(static_cast<int32_t>(index)), units);
    return 0;
}

// The name after "op=", or null for a bare op.
const char16_t* OpName(const WString& op, size_t opLength) {
    return op.size() > opLength && op[opLength] == u'=' ? op.c_str() + opLength + 1 : nullptr;
}

bool IsOp(const WString& op, const char16_t* name) {
    WString n(name);
    return op == n || (op.size() > n.size() && op.compare(0, n.size(), n) == 0 && op[n.size()] == u'=');
}

int Nav(const Args& args) {
    if (args.size() < 2) {
        return UsageError("xml nav takes FILE OP...");
    }
    for (size_t i = 1; i < args.size(); ++i) {
        const WString& op = args[i];
        if (!(op == u"reset" || op == u"enter" || op == u"childtext" || IsOp(op, u"find") ||
              IsOp(op, u"child"))) {
            return UsageError("unknown navigation op '" + ToUtf8(op) + "'");
        }
    }
    CXmlDocument doc;
    if (!Load(doc, args[0])) {
        return kExitUnreadable;
    }
    for (size_t i = 1; i < args.size(); ++i) {
        const WString& op = args[i];
        if (op == u"childtext") {
            PrintLine(u"childtext " + doc.GetChildText());
            continue;
        }
        std::string result = "-";
        if (op == u"reset") {
            doc.ResetPosition();
        } else if (op == u"enter") {
            doc.EnterElement();
        } else if (IsOp(op, u"find")) {
            result = doc.FindElement(OpName(op, 4)) ? "true" : "false";
        } else {
            result = doc.FindChildElement(OpName(op, 5)) ? "true" : "false";
        }
        PrintLine(ToUtf8(op) + " " + result + " parent=" + std::to_string(doc.ParentPos()) +
                  " current=" + std::to_string(doc.CurrentPos()) +
                  " child=" + std::to_string(doc.ChildPos()) + " kind=" + std::to_string(doc.CurrentKind()));
    }
    return 0;
}

int Decode(Args args) {
    bool units = TakeUnitsFlag(args);
    if (args.size() != 1) {
        return UsageError("xml decode takes [--units] TEXT");
    }
    PrintValue(DecodeReferences(args[0].data(), static_cast<int32_t>(args[0].size())), units);
    return 0;
}

int CodePage(const Args& args) {
    if (args.size() != 1) {
        return UsageError("xml codepage takes NAME");
    }
    PrintLine(std::to_string(EncodingToCodePage(args[0])));
    return 0;
}

}  // namespace

int RunXmlCommand(const Args& args) {
    if (args.empty()) {
        return UsageError("xml needs a subcommand");
    }
    Args rest(args.begin() + 1, args.end());
    const WString& sub = args[0];
    if (sub == u"report") {
        return Report(rest);
    }
    if (sub == u"index") {
        return Index(rest);
    }
    if (sub == u"get") {
        return Get(rest);
    }
    if (sub == u"text") {
        return Text(rest);
    }
    if (sub == u"nav") {
        return Nav(rest);
    }
    if (sub == u"decode") {
        return Decode(rest);
    }
    if (sub == u"codepage") {
        return CodePage(rest);
    }
    return UsageError("unknown xml subcommand '" + ToUtf8(sub) + "'");
}
