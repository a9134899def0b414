// The XML reader over third-party corpora (W3C conformance suite, libxml2's malformed, recursive and
// encoding samples, the HTML entity sets): every file loads and yields every element's text with a sound
// index and a report that carries the verdict; and the W3C suite's well-formedness verdicts are set
// against ours and printed. The reader is lenient by design, so agreement is reported, not required.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/xml/IndexInvariants.h"
#include "tests/xml/XmlTestSupport.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxFailuresShown = 20;

fs::path CorporaXmlDir() {
    std::string dir = DASHWELL_CORPORA_DIR "/xml";
#ifdef _WIN32
    // The define is a Linux path; under Wine the Linux root is drive Z:.
    if (!dir.empty() && dir[0] == '/') {
        dir = "Z:" + dir;
    }
#endif
    return fs::path(dir);
}

// What a load leaves behind: the sound index, texts within bounds, and a report that is the load notes
// alone for a well-formed document and the notes followed by a verdict otherwise.
std::string CheckLoadedFile(const fs::path& path) {
    CXmlDocument doc;
    if (!doc.LoadFromFile(PathText(path))) {
        return "load failed: " + U8(doc.Report());
    }
    WString text;
    WString notes;
    uint32_t flags = 0;
    CXmlDocument::LoadTextFromFile(PathText(path), text, &notes, &flags);
    if (text != doc.Text()) {
        return "a second load gave another text";
    }
    if (doc.Text().size() > fs::file_size(path)) {
        return "more text units than file bytes";
    }
    if (doc.Text().find(u'\0') != WString::npos) {
        return "0 unit in the text";
    }
    const WString prefix = notes.empty() ? notes : notes + u" ";
    if (doc.IsWellFormed()
            ? doc.Report() != notes
            : doc.Report().size() <= prefix.size() || doc.Report().compare(0, prefix.size(), prefix) != 0) {
        return "report \"" + U8(doc.Report()) + "\" does not fit the verdict after notes \"" + U8(notes) +
               "\"";
    }
    std::string broken = CheckIndexInvariants(doc);
    return broken.empty() ? CheckElementTexts(doc) : broken;
}

std::string Describe(const std::vector<std::string>& failures) {
    std::string text;
    for (size_t k = 0; k < failures.size() && k < kMaxFailuresShown; ++k) {
        text += failures[k] + "\n";
    }
    return text;
}

struct SuiteCase {
    std::string id;
    std::string type;  // valid, invalid, not-wf, error
    std::string entities;
    std::string version;
    std::string edition;
    std::string recommendation;
    std::string path;
};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == '\t') {
        fields.emplace_back();
    }
    return fields;
}

std::vector<SuiteCase> ReadManifest(const fs::path& file) {
    std::vector<SuiteCase> cases;
    std::ifstream stream(file);
    std::string line;
    std::getline(stream, line);  // column names
    while (std::getline(stream, line)) {
        const std::vector<std::string> f = SplitTabs(line);
        if (f.size() >= 8) {
            cases.push_back(SuiteCase{f[0], f[1], f[2], f[3], f[4], f[6], f[7]});
        }
    }
    return cases;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The cases that fit a non-validating XML 1.0 (fifth edition) reader that reads no external entities.
bool IsSelected(const SuiteCase& c) {
    return c.version != "1.1" &&
           (StartsWith(c.recommendation, "XML1.0") || StartsWith(c.recommendation, "NS1.0")) &&
           (c.edition.empty() || c.edition.find('5') != std::string::npos) && c.entities == "none" &&
           c.type != "error";
}

struct Agreement {
    int cases = 0;
    int agreed = 0;
};

}  // namespace

// The corpus test is only as good as its checker: each corruption of a sound index must be caught.
TEST(XmlIndexInvariants, CatchEveryCorruptedRecord) {
    struct Corruption {
        const char* what;
        void (*apply)(CXmlDocument&);
    };
    // Elements: 1 r, 2 a, 3 b, 4 c.
    const Corruption corruptions[] = {
        {"parent beyond NextFree", [](CXmlDocument& d) { d.Record(2).parent = d.NextFree(); }},
        {"parent that does not list it", [](CXmlDocument& d) { d.Record(3).parent = 2; }},
        {"next link skips a sibling", [](CXmlDocument& d) { d.Record(2).nextSibling = 4; }},
        {"first child's previous link not the last", [](CXmlDocument& d) { d.Record(2).prevSibling = 3; }},
        {"link back to an earlier element", [](CXmlDocument& d) { d.Record(4).nextSibling = 2; }},
        {"length past the end tag", [](CXmlDocument& d) { d.Record(4).length += 1; }},
        {"start tag too short", [](CXmlDocument& d) { d.Record(4).tagLengths = (2u | (4u << 22)); }},
        {"end tag length off", [](CXmlDocument& d) { d.Record(4).tagLengths = (3u | (3u << 22)); }},
        {"start not at '<'", [](CXmlDocument& d) { d.Record(3).start += 1; }},
        {"document length", [](CXmlDocument& d) { d.Record(0).length -= 1; }},
        {"root link beyond NextFree", [](CXmlDocument& d) { d.Record(0).firstChild = d.NextFree(); }},
    };
    for (const Corruption& c : corruptions) {
        CXmlDocument doc;
        ASSERT_TRUE(Parse(doc, "<r><a>t</a><b/><c>u</c></r>"));
        ASSERT_EQ(CheckIndexInvariants(doc), "");
        c.apply(doc);
        EXPECT_NE(CheckIndexInvariants(doc), "") << c.what;
    }
}

TEST(XmlCorpora, EveryFileLoadsWithSoundIndexAndVerdict) {
    const fs::path root = CorporaXmlDir();
    if (!fs::is_directory(root)) {
        GTEST_SKIP() << "no corpus folder at " << root.string();
    }
    int files = 0;
    std::vector<std::string> failures;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        ++files;
        const std::string broken = CheckLoadedFile(entry.path());
        if (!broken.empty()) {
            failures.push_back(fs::relative(entry.path(), root).string() + ": " + broken);
        }
    }
    std::printf("[ corpora  ] %d files under %s\n", files, root.string().c_str());
    EXPECT_GT(files, 0);
    EXPECT_TRUE(failures.empty()) << failures.size() << " files failed, first ones:\n" << Describe(failures);
}

TEST(XmlCorpora, W3cSuiteVerdictsAgainstOurs) {
    const fs::path suite = CorporaXmlDir() / "w3c-xmlts-20130923";
    if (!fs::is_regular_file(suite / "manifest.tsv")) {
        GTEST_SKIP() << "no W3C suite at " << suite.string();
    }
    std::map<std::string, Agreement> byType;
    std::vector<std::string> unreadable;
    int selected = 0;
    for (const SuiteCase& c : ReadManifest(suite / "manifest.tsv")) {
        if (!IsSelected(c)) {
            continue;
        }
        ++selected;
        CXmlDocument doc;
        if (!doc.LoadFromFile(PathText(suite / "xmlconf" / c.path))) {
            unreadable.push_back(c.id + ": " + U8(doc.Report()));
            continue;
        }
        Agreement& a = byType[c.type];
        ++a.cases;
        a.agreed += doc.IsWellFormed() == (c.type != "not-wf");
    }
    // The corpus documents this selection as 1,727 cases; another number means the manifest was misread.
    EXPECT_EQ(selected, 1727);
    EXPECT_TRUE(unreadable.empty()) << Describe(unreadable);
    int agreed = 0;
    for (const auto& [type, a] : byType) {
        agreed += a.agreed;
        std::printf("[ w3c      ] %-7s agreed %4d of %4d\n", type.c_str(), a.agreed, a.cases);
    }
    std::printf("[ w3c      ] all     agreed %4d of %4d selected cases\n", agreed, selected);
}
