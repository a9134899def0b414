// Navigation by tag name with the three positions, element text, and the skin value lookup built on them.
#include <gtest/gtest.h>

#include "skin/SkinValue.h"
#include "tests/xml/XmlTestSupport.h"

TEST(XmlNavigation, FreshDocumentFindsNothing) {
    CXmlDocument doc;
    EXPECT_FALSE(doc.FindChildElement(u"a"));
    EXPECT_FALSE(doc.FindElement(u"a"));
    EXPECT_EQ(doc.GetChildText(), u"");
}

TEST(XmlNavigation, RepeatedFindWalksSiblingsThenStays) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<a><b>1</b><c/><b>2</b></a>"));
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindChildElement(u"b"));
    EXPECT_EQ(doc.GetChildText(), u"1");
    EXPECT_EQ(doc.CurrentPos(), 1);
    EXPECT_EQ(doc.ParentPos(), 0);
    EXPECT_EQ(doc.CurrentKind(), 1);
    ASSERT_TRUE(doc.FindChildElement(u"b"));
    EXPECT_EQ(doc.GetChildText(), u"2");
    int32_t child = doc.ChildPos();
    EXPECT_FALSE(doc.FindChildElement(u"b"));
    EXPECT_EQ(doc.ChildPos(), child);
}

TEST(XmlNavigation, NamesCompareExactlyByTheMatchingRule) {
    struct Case {
        const char* text;
        const char16_t* name;
        bool found;
    } cases[] = {
        {"<r><Item/></r>", u"item", false}, {"<r><Item/></r>", u"Item", true},
        {"<r><b/></r>", u"b/c", true},      {"<r><b/></r>", u"bc", false},
        {"<r><bc/></r>", u"b", false},      {"<r><b x='1'/></r>", u"b", true},
    };
    for (const Case& c : cases) {
        CXmlDocument doc;
        Parse(doc, c.text);
        EXPECT_EQ(doc.FindChildElement(c.name), c.found) << c.text;
    }
}

TEST(XmlNavigation, EnterWithoutChildThenFindSearchesGrandchildren) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<r><g><x><y>deep</y></x></g></r>"));
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindElement(nullptr));  // r is current, no child position
    doc.EnterElement();
    EXPECT_EQ(doc.ParentPos(), 1);
    EXPECT_EQ(doc.CurrentPos(), 0);
    EXPECT_EQ(doc.CurrentKind(), 0);
    // First g becomes current, then its children are searched.
    ASSERT_TRUE(doc.FindChildElement(u"x"));
    EXPECT_EQ(doc.CurrentPos(), 2);
    doc.EnterElement();
    ASSERT_TRUE(doc.FindChildElement(u"y"));
    EXPECT_EQ(doc.GetChildText(), u"deep");
}

TEST(XmlNavigation, EnterWithoutCurrentDoesNothing) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<r/>"));
    doc.ResetPosition();
    doc.EnterElement();
    EXPECT_EQ(doc.ParentPos() | doc.CurrentPos() | doc.ChildPos(), 0);
}

TEST(XmlNavigation, ElementText) {
    struct Case {
        const char* text;
        const char* childText;  // of the first child of the root
    } cases[] = {
        {"<a><b>x &amp; y</b></a>", "x & y"},
        {"<a><b> <![CDATA[<raw>]]> </b></a>", "<raw>"},
        {"<a><b> x </b></a>", " x "},
        {"<a><b>t<c/>u</b></a>", ""},  // an element with children has no text
        {"<a><b/></a>", ""},
        {"<a><b>1<!-- c -->2<?p?>3</b></a>", "123"},
        {"<a><b>&lt;<![CDATA[&amp;]]>&gt;</b></a>", "<&amp;>"},
        {"<a><b>x</q>y</b></a>", "xy"},
        {"<a><b>a > b</b></a>", "a > b"},
        {"<a><b><![C]]></b></a>", ""},
        {"<a><b>&#x1F600;</b></a>", "\U0001F600"},
    };
    for (const Case& c : cases) {
        CXmlDocument doc;
        Parse(doc, c.text);
        doc.ResetPosition();
        ASSERT_TRUE(doc.FindChildElement(u"b")) << c.text;
        EXPECT_EQ(U8(doc.GetChildText()), c.childText) << c.text;
    }
}

TEST(XmlNavigation, TextOfIndicesOutsideTheIndexIsEmpty) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<a>t</a>"));
    EXPECT_EQ(doc.GetElementText(1), u"t");
    EXPECT_EQ(doc.GetElementText(2), u"");
    EXPECT_EQ(doc.GetElementText(-1), u"");
    EXPECT_EQ(doc.GetElementText(1 << 30), u"");
}

TEST(SkinValue, LookupInSkinShapedDocuments) {
    struct Case {
        const char* text;
        const char16_t* group;
        const char16_t* item;
        const char* value;
    } cases[] = {
        {"<Anything><BASE><BK_MASK>mask.bmp</BK_MASK></BASE></Anything>", u"BASE", u"BK_MASK", "mask.bmp"},
        {"<s><DEBUG><DEBUG>1</DEBUG></DEBUG><DEBUG><DEBUG_NAME>X</DEBUG_NAME></DEBUG></s>", u"DEBUG",
         u"DEBUG_NAME", ""},
        {"<s><BASE><O>1</O><BASE><BK_MASK>nested.bmp</BK_MASK></BASE></BASE></s>", u"BASE", u"BK_MASK",
         "nested.bmp"},
        {"<s><BASE><bk_mask>m</bk_mask></BASE></s>", u"BASE", u"BK_MASK", ""},
        {"<s><BASE><BK_MASK> a b </BK_MASK></BASE></s>", u"BASE", u"BK_MASK", " a b "},
        {"<s><BASE/></s>", u"BASE", u"BK_MASK", ""},
        {"<s><OTHER><BK_MASK>m</BK_MASK></OTHER></s>", u"BASE", u"BK_MASK", ""},
        {"", u"BASE", u"BK_MASK", ""},
    };
    for (const Case& c : cases) {
        CXmlDocument doc;
        Parse(doc, c.text);
        EXPECT_EQ(U8(GetSkinValue(doc, c.group, c.item)), c.value) << c.text;
        // Lookups never depend on the positions a previous one left.
        EXPECT_EQ(U8(GetSkinValue(doc, c.group, c.item)), c.value) << c.text;
    }
}

TEST(SkinValue, DecimalReading) {
    EXPECT_EQ(ReadSkinInteger(u" 1"), 1);
    EXPECT_EQ(ReadSkinInteger(u"x1"), 0);
    EXPECT_EQ(ReadSkinInteger(u"-12px"), -12);
    EXPECT_EQ(ReadSkinInteger(u""), 0);
    EXPECT_EQ(ReadSkinInteger(u"99999999999"), 2147483647);
}
