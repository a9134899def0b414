// The lenient parser: verdicts and report texts, the index it builds, the tokenizer's corners, and
// linear time on hostile nesting.
#include <gtest/gtest.h>

#include <string>

#include "tests/xml/XmlTestSupport.h"
#include "xml/XmlTokenizer.h"

namespace {

struct VerdictCase {
    const char* text;
    bool wellFormed;
    const char* report;
};

const VerdictCase kVerdicts[] = {
    {"", false, "Empty document"},
    {"<a><b/></a>", true, ""},
    {"<a x=\"1>2\">t</a>", true, ""},
    {"<a x=1/>", false, "Element 'a' at offset 0 not ended"},
    {"<a>1</b></a>", false, "No start tag for end tag 'b' at offset 4"},
    {"<!DOCTYPE r [<!ELEMENT r ANY>]><r/>", true, ""},
    {"<1/>", false, "No root element"},
    {"<a><!-- never closed", false, "Comment at offset 3 unterminated"},
    {"<a><b></a>", false, "End tag 'a' at offset 7 does not match start tag 'b' at offset 3"},
    {"<a>", false, "Element 'a' at offset 0 not ended"},
    {"<a/><b/>", false, "Root element has sibling"},
    {"<a><b/>", false, "Root element has sibling"},
    {"<a><b>", false, "Root element has sibling"},
    {"just text", false, "No root element"},
    {"<?xml version=\"1.0\"?><!-- c --><r><![CDATA[<x>]]></r>", true, ""},
    {"<r><1></r>", false, "Incorrect tag name character at offset 3"},
    {"<r><!x></r>", false, "Incorrect ! tag at offset 3"},
    {"<r><!-x></r>", false, "Incorrect comment tag at offset 3"},
    {"<r><![x></r>", false, "Incorrect tag at offset 3"},
    {"<r><a", false, "Element tag at offset 3 unterminated"},
    {"<r></a", false, "Element end tag at offset 3 unterminated"},
    {"<r><![CDATA[x", false, "CDATA Section at offset 3 unterminated"},
    {"<r><?pi x", false, "Processing instruction at offset 3 unterminated"},
    {"<r><!DOCTYPE", false, "Doctype at offset 3 unterminated"},
    {"<r><!ENTITY x", false, "Doctype at offset 3 unterminated"},
    {"<r><", false, "tag at offset 3 unterminated"},
    {"<r>a > b</r>", true, ""},
    {"<R></r>", false, "No start tag for end tag 'r' at offset 3"},
    {"<a-b></a>", false, "No start tag for end tag 'a' at offset 5"},
    {"<a=b></a>", true, ""},  // '=' ends the comparable part of a start tag's name
    {"<r><!-->x</r>", true, ""},
    {"<r/>\n", true, ""},
};

}  // namespace

TEST(XmlParser, VerdictsAndReports) {
    for (const VerdictCase& c : kVerdicts) {
        CXmlDocument doc;
        EXPECT_EQ(Parse(doc, c.text), c.wellFormed) << c.text;
        EXPECT_EQ(U8(doc.Report()), c.report) << c.text;
    }
}

TEST(XmlParser, IndexRecordsOffsetsLengthsAndLinks) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<a><b>x</b><c/><d></d></a>"));
    ASSERT_EQ(doc.NextFree(), 5);
    const ElementRecord& a = doc.Record(1);
    EXPECT_EQ(a.start, 0);
    EXPECT_EQ(a.length, 26);
    EXPECT_EQ(a.StartTagLength(), 3u);
    EXPECT_EQ(a.EndTagLength(), 4u);
    EXPECT_EQ(a.firstChild, 2);
    EXPECT_EQ(doc.Record(0).firstChild, 1);
    EXPECT_EQ(doc.Record(0).length, 26);
    // b, c, d are siblings; the first child's previous sibling is the last child.
    EXPECT_EQ(doc.Record(2).nextSibling, 3);
    EXPECT_EQ(doc.Record(3).nextSibling, 4);
    EXPECT_EQ(doc.Record(4).nextSibling, 0);
    EXPECT_EQ(doc.Record(2).prevSibling, 4);
    EXPECT_EQ(doc.Record(3).prevSibling, 2);
    EXPECT_EQ(doc.Record(4).prevSibling, 3);
    EXPECT_EQ(doc.Record(3).length, 4);  // <c/>
    EXPECT_EQ(doc.Record(3).EndTagLength(), 0u);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(doc.Record(i).parent, 1);
    }
    EXPECT_EQ(doc.Record(1).prevSibling, 1);  // a single child points to itself
}

TEST(XmlParser, UnendedElementHasNoContentAndItsChildrenMoveUp) {
    CXmlDocument doc;
    EXPECT_FALSE(Parse(doc, "<r><a><b/><c/></r>"));
    EXPECT_EQ(U8(doc.Report()), "End tag 'r' at offset 15 does not match start tag 'a' at offset 3");
    const ElementRecord& a = doc.Record(2);
    EXPECT_EQ(a.length, 3);
    EXPECT_EQ(a.EndTagLength(), 0u);
    EXPECT_EQ(a.firstChild, 0);
    EXPECT_EQ(a.nextSibling, 3);
    EXPECT_EQ(doc.Record(3).parent, 1);
    EXPECT_EQ(doc.Record(4).parent, 1);
    EXPECT_EQ(doc.Record(3).prevSibling, 2);
    EXPECT_EQ(doc.Record(2).prevSibling, 4);  // r's first child now points at the new last child
    EXPECT_EQ(doc.Record(1).length, 18);
}

TEST(XmlParser, ChildrenOfNestedUnendedElementsReachTheNearestEndedAncestor) {
    CXmlDocument doc;
    EXPECT_FALSE(Parse(doc, "<r><a><b><c/></r>"));
    // a and b were never ended: c, then b, follow a as r's children, in order.
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(doc.Record(i).parent, 1) << NameOf(doc, i);
        EXPECT_EQ(doc.Record(i).firstChild, 0) << NameOf(doc, i);
    }
    EXPECT_EQ(doc.Record(1).firstChild, 2);
    EXPECT_EQ(doc.Record(2).nextSibling, 3);
    EXPECT_EQ(doc.Record(3).nextSibling, 4);
    EXPECT_EQ(doc.Record(4).nextSibling, 0);
    EXPECT_EQ(doc.Record(2).prevSibling, 4);
    EXPECT_EQ(doc.Record(0).flags & 0x1u, 0u);  // no pass-internal mark is left behind
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(doc.Record(i).flags, 0u);
    }
}

TEST(XmlParser, ReparseDiscardsTheOldIndex) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<a><b/><c/></a>"));
    ASSERT_TRUE(Parse(doc, "<z/>"));
    EXPECT_EQ(doc.NextFree(), 2);
    EXPECT_EQ(doc.Record(1).firstChild, 0);
}

TEST(XmlParser, OverlongStartTagIsClampedAndHasNoText) {
    CXmlDocument doc;
    std::string text = "<r><a x=\"" + std::string(kStartTagLengthMask, 'v') + "\">t</a></r>";
    EXPECT_FALSE(Parse(doc, text.c_str()));
    EXPECT_EQ(U8(doc.Report()), "Element tag at offset 3 too long");
    EXPECT_EQ(doc.Record(2).StartTagLength(), kStartTagLengthMask);
    EXPECT_EQ(doc.GetElementText(2), u"");
    EXPECT_EQ(doc.Record(1).EndTagLength(), 4u);
}

TEST(XmlParser, OverlongEndTagIsClampedAndHasNoText) {
    CXmlDocument doc;
    std::string text = "<r><a>t</a" + std::string(2000, ' ') + "></r>";
    EXPECT_FALSE(Parse(doc, text.c_str()));
    EXPECT_EQ(U8(doc.Report()), "Element end tag at offset 7 too long");
    EXPECT_EQ(doc.Record(2).EndTagLength(), kEndTagLengthMax);
    EXPECT_EQ(doc.GetElementText(2), u"");
}

namespace {

struct TokenCase {
    const char* text;
    int32_t kind;
    int32_t length;
    uint32_t flags;
    const char* tokenText;
};

const TokenCase kTokens[] = {
    {"<a>", kTokenStartTag, 3, 0, "a"},
    {"<a/>", kTokenStartTag, 4, kTokenEmptyElement, "a"},
    {"<a />", kTokenStartTag, 5, kTokenEmptyElement, "a"},
    {"<a x='1'/>", kTokenStartTag, 10, kTokenEmptyElement, "a"},
    {"<a x=1/>", kTokenStartTag, 8, 0, "a"},
    {"<a x='>'>", kTokenStartTag, 9, 0, "a"},
    {"</a >", kTokenEndTag, 5, 0, ""},
    {"text<", kTokenText, 4, 0, ""},
    {"a>b", kTokenText, 2, 0, ""},
    {"  \n<", kTokenWhitespace, 3, 0, ""},
    {"  x<", kTokenText, 3, 0, ""},
    {"<!-- a > b -->", kTokenComment, 14, 0, ""},
    {"<!-->", kTokenComment, 5, 0, ""},
    {"<![CDATA[a]]>b]]>", kTokenCData, 13, 0, ""},
    {"<?pi a?>", kTokenProcessingInstruction, 8, 0, "pi"},
    {"<!DOCTYPE r [<!ENTITY e '>'>]>", kTokenDeclaration, 30, 0, ""},
    {"<!ELEMENT r ANY>", kTokenDeclaration, 16, 0, ""},
    {"<=x>", kTokenError, 4, 0, "Incorrect tag name character at offset 0"},
    {"<=x <b>", kTokenError, 4, 0, "Incorrect tag name character at offset 0"},
    // Start tags with attributes, comments and CDATA sections take fast scans: the same results.
    {"<a b=\"1\"c/>", kTokenStartTag, 11, 0, "a"},
    {"<a b==\"x/>\"/>", kTokenStartTag, 10, 0, "a"},
    {"<a b='1'/ >", kTokenStartTag, 11, 0, "a"},
    {"<!--a-->b-->", kTokenComment, 8, 0, ""},
    {"<![CDATA[x]>]]>", kTokenCData, 15, 0, ""},
    {"<a b=\"never closed", kTokenError, 18, 0, "Element tag at offset 0 unterminated"},
    {"", kTokenEndOfText, 0, 0, ""},
};

}  // namespace

TEST(XmlTokenizer, TokenKindsLengthsAndNames) {
    for (const TokenCase& c : kTokens) {
        WString text = W(c.text);
        TextCursor cursor;
        cursor.text = text.c_str();
        MarkupToken token;
        EXPECT_EQ(ReadNextToken(cursor, token), c.kind) << c.text;
        EXPECT_EQ(token.length, c.length) << c.text;
        EXPECT_EQ(token.flags, c.flags) << c.text;
        EXPECT_EQ(U8(token.text), c.tokenText) << c.text;
        EXPECT_EQ(cursor.next, c.length) << c.text;
    }
}

TEST(XmlTokenizer, EndTagNameIsTheCursorsWord) {
    WString text = u"</item >";
    TextCursor cursor;
    cursor.text = text.c_str();
    MarkupToken token;
    ASSERT_EQ(ReadNextToken(cursor, token), kTokenEndTag);
    EXPECT_EQ(WordText(cursor), u"item");
}

namespace {

struct MatchCase {
    const char* word;
    const char* name;
    uint32_t flags;
    bool matches;
};

const MatchCase kMatches[] = {
    {"ITEM", "ITEM", 0, true},         {"ITEM", "ITEM/x", 0, true},        {"ITEM", "ITEMS", 0, false},
    {"ITEM", "IT", 0, false},          {"ITEM", "ITEM x", 0, true},        {"ITEM", "ITEM=1", 0, true},
    {"ITEM", "ITEM[", 0, true},        {"ITEM", "ITEM]", 0, true},         {"item", "ITEM", 0, false},
    {"item", "ITEM", 0x8, true},       {"\u00e9a", "\u00e9A", 0x8, false},  // after a wide unit, case counts
    {"a\u00e9", "A\u00e9", 0x8, true},
};

}  // namespace

TEST(XmlTokenizer, WordMatchingRule) {
    for (const MatchCase& c : kMatches) {
        WString word = W(c.word);
        TextCursor cursor;
        cursor.text = word.c_str();
        cursor.flags = c.flags;
        cursor.wordStart = 0;
        cursor.wordEnd = static_cast<int32_t>(word.size()) - 1;
        WString name = W(c.name);
        EXPECT_EQ(WordMatches(cursor, name.c_str()), c.matches) << c.word << " vs " << c.name;
    }
}

TEST(XmlTokenizer, ReadNextWordStopsAtDelimiters) {
    WString text = u"  abc=d;<x";
    TextCursor cursor;
    cursor.text = text.c_str();
    const char16_t* expected[] = {u"abc", u"=", u"d", u";", u"<", u"x"};
    for (const char16_t* e : expected) {
        ASSERT_TRUE(ReadNextWord(cursor));
        EXPECT_EQ(WordText(cursor), e);
    }
    EXPECT_FALSE(ReadNextWord(cursor));
    EXPECT_EQ(WordText(cursor), u"");
}

namespace {

struct AttributeCase {
    const char* tagTail;  // the text after '<'
    const char16_t* name;
    bool found;
    const char* word;
    bool quoted;
};

const AttributeCase kAttributes[] = {
    {"meta http-equiv=\"Content-Type\" content='x'>", u"content", true, "x", true},
    {"meta a=1 b = 2>", u"b", true, "2", false},
    {"meta a b=2>", u"a", true, "a", false},  // no value: the word is the name itself
    {"meta a>", u"a", true, "a", false},
    {"meta a=1>", u"b", false, "", false},
    {" encoding=\"x\"?>", u"encoding", false, "", false},  // the first word counts as the tag name
    {"meta a=1 b=2>", nullptr, true, "a", false},
    {"meta a", u"a", true, "a", false},
};

}  // namespace

TEST(XmlTokenizer, SeekAttributeValue) {
    for (const AttributeCase& c : kAttributes) {
        WString text = W(c.tagTail);
        TextCursor cursor;
        cursor.text = text.c_str();
        EXPECT_EQ(SeekAttributeValue(cursor, c.name), c.found) << c.tagTail;
        if (c.found) {
            EXPECT_EQ(U8(WordText(cursor)), c.word) << c.tagTail;
            EXPECT_EQ((cursor.flags & kQuotedValue) != 0, c.quoted) << c.tagTail;
        }
    }
}

// Both inputs go quadratic when every close walks the descendants or every stray end tag walks the open
// elements (the benchmark times them); here the index they leave behind is checked.
TEST(XmlParser, HostileNestingIndexesEveryElement) {
    const int n = 100000;
    std::string nested;
    for (int i = 0; i < n; ++i) {
        nested += "<a>";
    }
    std::string stray = nested;
    for (int i = 0; i < n; ++i) {
        stray += "</b>";
    }
    for (const std::string* text : {&nested, &stray}) {
        CXmlDocument doc;
        EXPECT_FALSE(Parse(doc, text->c_str()));
        EXPECT_EQ(U8(doc.Report()), "Root element has sibling");
        EXPECT_EQ(doc.NextFree(), n + 1);
        EXPECT_EQ(doc.Record(n).parent, 0);  // every unended level dissolved into the document level
    }
}
