// Tests of DecodeReferences: named and numeric references, what stays as written, the input bounds, and
// the whole entity table against the HTML 4.01 list in the corpora when that list is present.
#include "xml/Entities.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "xml/WideString.h"

namespace {

WString Decode(WStringView text) {
    return DecodeReferences(text.data(), static_cast<int32_t>(text.size()));
}

struct DecodeCase {
    WStringView input;
    WStringView expected;
};

const DecodeCase kDecodeCases[] = {
    {u"", u""},
    {u"plain text", u"plain text"},
    {u"&lt;&gt;&amp;&quot;&apos;", u"<>&\"'"},
    {u"&AMP;&Amp;&aMp;", u"&&&"},
    {u"&eacute;&Eacute;&EACUTE;", u"\u00C9\u00C9\u00C9"},
    {u"&alpha;&larr;&sigmaf;&szlig;&divide;&times;", u"\u0391\u21D0\u03C2\u00DF\u00F7\u00D7"},
    {u"&nbsp;&copy;&frac14;&euro;&hellip;&thetasym;&lang;&rang;",
     u"\u00A0\u00A9\u00BC\u20AC\u2026\u03D1\u2329\u232A"},
    {u"x&lt;y&gt;z", u"x<y>z"},
    {u"&#65;&#x41;&#X41;&#65abc;&#x0x41;&# 65;&#+65;", u"AAAAAAA"},
    {u"&#00000065;", u"A"},              // nine name units: still a reference
    {u"&#000000065;", u"&#000000065;"},  // ten: not one
    {u"&#x1F600;", u"\U0001F600"},
    {u"&#1114112;", u"\xD800\xDC00"},
    {u"&#-1;", u"\xDBBF\xDFFF"},
    {u"&#99999999;", u"\xD938\xDCFF"},
    {u"&#-9999999;", u"\xD99A\xDD81"},
    {u"&#xFFFFFFF;", u"\xDBBF\xDFFF"},
    {u"&#999999999;", u"&#999999999;"},  // the name limit keeps values inside 32 bits
    {u"&#xFFFF;", u"\uFFFF"},
    {u"&#0;&#;&#x;&#abc;&bogus;&;", u"&#0;&#;&#x;&#abc;&bogus;&;"},
    {u"&amp", u"&amp"},
    {u"&verylongname;", u"&verylongname;"},
    {u"&\u00E9;&am\u00E9;", u"&\u00E9;&am\u00E9;"},
    {u"a & b", u"a & b"},
    {u"&&amp;&", u"&&&"},
    {u"&amp;lt;", u"&lt;"},  // the output is never scanned again
    {u"&lt&gt;", u"&lt>"},
    {u"&amp ;", u"&amp ;"},
};

TEST(Entities, DecodesReferencesAndKeepsTheRest) {
    for (const DecodeCase& c : kDecodeCases) {
        SCOPED_TRACE(ToUtf8(c.input));
        const WString decoded = Decode(c.input);
        EXPECT_EQ(decoded, c.expected);
        EXPECT_LE(decoded.size(), c.input.size());
    }
}

TEST(Entities, NeverReadsPastTheCount) {
    const char16_t text[] = u"a&amp;b";
    EXPECT_EQ(DecodeReferences(text, 7), u"a&b");
    EXPECT_EQ(DecodeReferences(text, 6), u"a&");
    EXPECT_EQ(DecodeReferences(text, 5), u"a&amp");  // the ';' lies outside the input
    EXPECT_EQ(DecodeReferences(text, 2), u"a&");
    EXPECT_EQ(DecodeReferences(text, 0), u"");
}

TEST(Entities, MinusOneReadsUpToTheTerminatingZero) {
    EXPECT_EQ(DecodeReferences(u"&lt;x&gt;", -1), u"<x>");
    EXPECT_EQ(DecodeReferences(u"", -1), u"");
    const char16_t stopsEarly[] = {u'&', u'l', u't', 0, u';', 0};
    EXPECT_EQ(DecodeReferences(stopsEarly, -1), u"&lt");
}

TEST(Entities, ExplicitCountCopiesEmbeddedZeros) {
    const char16_t withZeros[] = {u'a', 0, u'&', u'#', u'6', u'5', 0, u';', 0, u'b'};
    EXPECT_EQ(DecodeReferences(withZeros, 10), WString(u"a\0A\0b", 5));
}

TEST(Entities, UnusableInputGivesTheEmptyString) {
    EXPECT_EQ(DecodeReferences(nullptr, -1), u"");
    EXPECT_EQ(DecodeReferences(nullptr, 5), u"");
    EXPECT_EQ(DecodeReferences(u"&lt;", -2), u"");
}

struct CorpusEntity {
    std::string name;
    char32_t codePoint;
};

std::vector<CorpusEntity> ReadCorpusEntities() {
    std::ifstream file(DASHWELL_CORPORA_DIR "/xml/html401-entities/html401-entities.tsv");
    std::vector<CorpusEntity> entities;
    std::string line;
    std::getline(file, line);  // column names
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        CorpusEntity entity;
        unsigned long codePoint = 0;
        if (fields >> entity.name >> codePoint) {
            entity.codePoint = static_cast<char32_t>(codePoint);
            entities.push_back(entity);
        }
    }
    return entities;
}

std::string Lowered(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

std::string Uppered(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

// Names match without regard to case, so where HTML has two forms the one with a capital letter wins.
std::map<std::string, char32_t> ExpectedByLowerName(const std::vector<CorpusEntity>& entities) {
    std::map<std::string, char32_t> expected;
    for (const CorpusEntity& entity : entities) {
        const std::string lower = Lowered(entity.name);
        if (entity.name != lower || expected.count(lower) == 0) {
            expected[lower] = entity.codePoint;
        }
    }
    return expected;
}

TEST(Entities, TableMatchesTheHtml401List) {
    const std::vector<CorpusEntity> entities = ReadCorpusEntities();
    if (entities.empty()) {
        GTEST_SKIP() << "HTML 4.01 entity list not found under " DASHWELL_CORPORA_DIR;
    }
    ASSERT_EQ(entities.size(), 252u);

    const std::map<std::string, char32_t> expected = ExpectedByLowerName(entities);
    size_t pairs = 0;
    for (const CorpusEntity& entity : entities) {
        const char32_t codePoint = expected.at(Lowered(entity.name));
        pairs += codePoint != entity.codePoint;
        for (const std::string& spelling : {entity.name, Lowered(entity.name), Uppered(entity.name)}) {
            SCOPED_TRACE(spelling);
            EXPECT_EQ(Decode(FromUtf8("&" + spelling + ";")), WString(1, static_cast<char16_t>(codePoint)));
            EXPECT_EQ(Decode(FromUtf8("&" + spelling)), FromUtf8("&" + spelling));
        }
    }
    EXPECT_EQ(pairs, 64u);  // each lower-case twin of a capital form
    EXPECT_EQ(Decode(u"&apos;"), u"'");
}

TEST(Entities, CapitalFormsWinWithoutTheCorpus) {
    EXPECT_EQ(Decode(u"&agrave;&yuml;&oelig;&scaron;&omega;&dagger;&prime;&harr;"),
              u"\u00C0\u0178\u0152\u0160\u03A9\u2021\u2033\u21D4");
}

}  // namespace
