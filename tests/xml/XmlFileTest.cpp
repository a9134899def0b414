// Loading files: byte-order marks, declared encodings, UTF-8 detection, null removal, endian swap, the
// notes they leave in the report text, and failures.
#include <gtest/gtest.h>

#include <random>

#include "tests/xml/XmlTestSupport.h"
#include "xml/Encodings.h"
#include "xml/XmlFile.h"

namespace {

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

// UTF-16 of ASCII text, little- or big-endian.
std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string out;
    for (char c : ascii) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

struct LoadCase {
    const char* name;
    std::string bytes;
    const char* notes;  // the report text before the parse verdict
    std::string text;   // UTF-8 of the loaded text
    uint32_t flags;
};

std::vector<LoadCase> LoadCases() {
    std::string body1000 = "<r>" + std::string(993, 'x') + "</r>";
    std::string eAcute8 = "\xC3\xA9";
    std::string doc500 = "<r>" + Repeat(eAcute8, 20) + std::string(453, 'y') + "</r>";  // 480 units
    std::string decl1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>\xE9</r>";
    std::string detected = "x" + eAcute8 + "<r/>";
    std::string invalid = "x\xE9<r/>";
    std::string ascii16 = Utf16("<r>0123456789abcd</r>", false);
    return {
        {"utf8-bom", "\xEF\xBB\xBF" + body1000, "UTF-8 BOM + length 1000 to 1000 wide chars ", body1000, 0x4},
        {"utf16le-bom", "\xFF\xFE" + Utf16(body1000.substr(0, 500) + "</r>", false).substr(0, 1000) + "\x41",
         "UTF-16LE BOM + length 500 ", body1000.substr(0, 500), 0x1},
        {"utf16be-bom", "\xFE\xFF" + Utf16("<r>be</r>", true), "UTF-16BE BOM + length 9 endian swap ",
         "<r>be</r>", 0x80},
        {"declared-1252", decl1252, "windows-1252 length 53 to 53 wide chars ",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>\xC3\xA9</r>", 0},
        {"starts-with-lt", doc500, "UTF-8 length 500 to 480 wide chars ", doc500, 0},
        {"detected-utf8", detected, "UTF-8 length 7 (used UTF-8 detection) to 6 wide chars ", detected, 0},
        {"ansi-fallback", invalid, "ANSI length 6 (used UTF-8 detection) to 6 wide chars ", "x\xC3\xA9<r/>",
         0},
        {"empty", "", "ANSI 0 length ", "", 0},
        {"only-bom", "\xEF\xBB\xBF", "UTF-8 BOM + 0 length ", "", 0x4},
        {"utf16-without-bom", ascii16, "UTF-8 length 42 (21 nulls removed) to 21 wide chars ",
         "<r>0123456789abcd</r>", 0},
        {"declaration-upper-case", "<?XML VERSION=\"1.0\" ENCODING=\"ISO-8859-1\"?><r>\xE9</r>",
         "ISO-8859-1 length 51 to 51 wide chars ",
         "<?XML VERSION=\"1.0\" ENCODING=\"ISO-8859-1\"?><r>\xC3\xA9</r>", 0},
        {"unknown-encoding", "<?xml version=\"1.0\" encoding=\"no-such\"?><r>\xE9</r>",
         "no-such length 48 to 48 wide chars ", "<?xml version=\"1.0\" encoding=\"no-such\"?><r>\xC3\xA9</r>",
         0},
        {"declared-utf16-without-bom", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r/>",
         "UTF-16 length 43 to 0 wide chars ", "", 0},
    };
}

// A UTF-8 body of about `size` bytes: ASCII runs between characters of every length, invalid bytes
// (stray continuation bytes, cut sequences, overlong forms, bytes never used), 0 bytes, and runs of
// non-ASCII bytes long enough that no piece of the conversion can end inside them.
std::string MixedUtf8Body(std::mt19937& random, size_t size) {
    static const char* const kPieces[] = {
        "\xC3\xA9",     "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80", "\xBF\xBF", "\xE2\x82",
        "\xF0\x9F\x98", "\xC0\x80",     "\xED\xA0\x80",     "\xF5", "\xFF",
    };
    std::string body = "<r>";
    while (body.size() < size) {
        switch (random() % 4) {
            case 0:
                body += std::string(random() % 40, 'a' + static_cast<char>(random() % 26));
                break;
            case 1:
                body += kPieces[random() % std::size(kPieces)];
                break;
            case 2:
                body += std::string(1, '\0');
                break;
            default:
                for (size_t n = random() % (size / 2 + 1); n > 0; --n) {
                    body += kPieces[random() % 3];
                }
        }
    }
    return body;
}

WString WholeConversion(std::string bytes) {
    std::erase(bytes, '\0');
    TextConverter request{u"UTF-16", u"UTF-8", bytes.data(), static_cast<int32_t>(bytes.size()), 0};
    WString text(static_cast<size_t>(ConvertText(request, nullptr)), u'\0');
    request.outputCount = static_cast<int32_t>(text.size());
    text.resize(static_cast<size_t>(ConvertText(request, text.data())));
    return text;
}

}  // namespace

// A UTF-8 body is converted in pieces inside the text's own buffer; the pieces must join into exactly
// the text one conversion of the whole body gives, wherever the characters and invalid bytes fall.
TEST(XmlFile, Utf8BodyGivesTheTextOfOneWholeConversion) {
    ScratchDir dir("xmlutf8");
    std::mt19937 random(20261211);
    for (size_t size : {1, 2, 3, 5, 8, 63, 64, 65, 127, 128, 129, 200, 500, 1000, 4096, 70000}) {
        for (int round = 0; round < 12; ++round) {
            std::string body = MixedUtf8Body(random, size);
            WString text;
            WString report;
            uint32_t flags = 0;
            ASSERT_TRUE(CXmlDocument::LoadTextFromFile(PathText(dir.Write("mixed.xml", body)), text, &report,
                                                       &flags));
            ASSERT_EQ(text, WholeConversion(body)) << "size " << size << ", round " << round;
            EXPECT_TRUE(U8(report).ends_with(" to " + std::to_string(text.size()) + " wide chars "))
                << U8(report);
        }
    }
}

TEST(XmlFile, EncodingPathsAndTheirNotes) {
    ScratchDir dir("xmlfile");
    for (const LoadCase& c : LoadCases()) {
        WString text;
        WString report;
        uint32_t flags = 0x80;  // left over from an earlier big-endian file
        auto path = dir.Write(c.name, c.bytes);
        ASSERT_TRUE(CXmlDocument::LoadTextFromFile(PathText(path), text, &report, &flags)) << c.name;
        EXPECT_EQ(U8(report), c.notes) << c.name;
        EXPECT_EQ(U8(text), c.text) << c.name;
        EXPECT_EQ(flags, c.flags) << c.name;
    }
}

TEST(XmlFile, LoadFromFileParsesBehindTheNotes) {
    ScratchDir dir("xmlload");
    CXmlDocument doc;
    EXPECT_TRUE(doc.LoadFromFile(PathText(dir.Write("a.xml", "<1 tags!>"))));
    EXPECT_EQ(U8(doc.Report()), "UTF-8 length 9 to 9 wide chars  No root element");
    EXPECT_TRUE(doc.LoadFromFile(PathText(dir.Write("b.xml", "<r><i>v</i></r>"))));
    EXPECT_EQ(U8(doc.Report()), "UTF-8 length 15 to 15 wide chars ");
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_TRUE(doc.LoadFromFile(PathText(dir.Write("c.xml", "\xEF\xBB\xBF"))));
    EXPECT_EQ(U8(doc.Report()), "UTF-8 BOM + 0 length  Empty document");
}

TEST(XmlFile, FailedLoadLeavesAnEmptyDocument) {
    ScratchDir dir("xmlfail");
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(PathText(dir.Write("ok.xml", "<r><i>v</i></r>"))));
    for (auto path : {dir.Path() / "missing.xml", dir.Path()}) {
        EXPECT_FALSE(doc.LoadFromFile(PathText(path)));
        EXPECT_TRUE(doc.Text().empty());
        EXPECT_FALSE(doc.Report().empty());
        EXPECT_EQ(doc.Report().find_first_of(u"\r\n"), WString::npos);
        EXPECT_EQ(doc.NextFree(), 1);
        EXPECT_FALSE(doc.FindChildElement(u"i"));  // the old index is gone with its text
    }
}

TEST(XmlFile, DeclaredEncodingDetection) {
    struct Case {
        const char* text;
        const char* encoding;
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", "ISO-8859-1"},
        {"<?xml encoding=\"x\"?>", ""},
        {"<!-- c --><?xml version='1.0' encoding='big5'?>", "big5"},
        {"<r/><?xml version='1.0' encoding='big5'?>", ""},
        {"<?xml-stylesheet href='a'?><?xml version='1.0' encoding='big5'?>", ""},
        {"<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=big5\"></head>", "big5"},
        {"<html><head></head><meta http-equiv='Content-Type' content='text/html; charset=big5'>", ""},
        {"<html><meta name='x' content='charset=a'><meta http-equiv='Content-Type' content='charset = b'>",
         "b"},
        {"<html><meta http-equiv='Content-Type'><meta http-equiv='Content-Type' content='charset=b'>", ""},
        {"<root>", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(U8(DetectDeclaredEncoding(W(c.text))), c.encoding) << c.text;
    }
}
