// GetSkinValue on skin-shaped files read from disk: any root name, the first group of a name only,
// groups nested in it, case-sensitive names.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/SkinValue.h"
#include "xml/XmlDocument.h"

namespace {

struct LookupCase {
    const char* name;
    const char* xml;
    const char16_t* group;
    const char16_t* item;
    const char16_t* expected;
};

const LookupCase kLookups[] = {
    {"arbitrary root name", "<AnyRootAtAll><BASE><BK_MASK>frame.bmp</BK_MASK></BASE></AnyRootAtAll>", u"BASE",
     u"BK_MASK", u"frame.bmp"},
    {"second sibling group is never read",
     "<Skin><DEBUG><DEBUG>1</DEBUG></DEBUG><DEBUG><DEBUG_NAME>Mouse</DEBUG_NAME></DEBUG></Skin>", u"DEBUG",
     u"DEBUG_NAME", u""},
    {"first sibling group is read",
     "<Skin><DEBUG><DEBUG>1</DEBUG></DEBUG><DEBUG><DEBUG>2</DEBUG></DEBUG></Skin>", u"DEBUG", u"DEBUG", u"1"},
    {"group nested in the group",
     "<Skin><BASE><OTHER/><BASE><BK_MASK>deep.bmp</BK_MASK></BASE></BASE></Skin>", u"BASE", u"BK_MASK",
     u"deep.bmp"},
    {"item names are case-sensitive", "<Skin><BASE><bk_mask>frame.bmp</bk_mask></BASE></Skin>", u"BASE",
     u"BK_MASK", u""},
    {"group names are case-sensitive", "<Skin><base><BK_MASK>frame.bmp</BK_MASK></base></Skin>", u"BASE",
     u"BK_MASK", u""},
    {"references decoded, text kept as it is",
     "<S><WARN_DLG><TEXT_TITLE> Fish &amp; Chips </TEXT_TITLE></WARN_DLG></S>", u"WARN_DLG", u"TEXT_TITLE",
     u" Fish & Chips "},
    {"item with child elements", "<S><GLOBAL><FONT><B>Arial</B></FONT></GLOBAL></S>", u"GLOBAL", u"FONT",
     u""},
    {"missing group", "<S><GLOBAL><FONT>Arial</FONT></GLOBAL></S>", u"WARN_0", u"MAIN_NORMAL", u""},
};

TEST(SkinFiles, GroupAndItemLookup) {
    TempFolder folder;
    for (const LookupCase& c : kLookups) {
        SCOPED_TRACE(c.name);
        CXmlDocument document;
        ASSERT_TRUE(document.LoadFromFile(folder.Write("skin.xml", c.xml)));
        EXPECT_EQ(GetSkinValue(document, c.group, c.item), WString(c.expected));
    }
}

TEST(SkinFiles, LookupsDoNotDependOnEachOther) {
    TempFolder folder;
    CXmlDocument document;
    ASSERT_TRUE(document.LoadFromFile(
        folder.Write("skin.xml",
                     "<Skin><WARN_0><MAIN_NORMAL>n.bmp</MAIN_NORMAL><MAIN_OVER>o.bmp</MAIN_OVER></WARN_0>"
                     "<BASE><BK_MASK>m.bmp</BK_MASK></BASE></Skin>")));
    EXPECT_EQ(GetSkinValue(document, u"BASE", u"BK_MASK"), u"m.bmp");
    EXPECT_EQ(GetSkinValue(document, u"WARN_0", u"MAIN_OVER"), u"o.bmp");
    EXPECT_EQ(GetSkinValue(document, u"WARN_0", u"MAIN_NORMAL"), u"n.bmp");
    EXPECT_EQ(GetSkinValue(document, u"BASE", u"BK_MASK"), u"m.bmp");
}

TEST(SkinFiles, MissingFileGivesEmptyValues) {
    TempFolder folder;
    CXmlDocument document;
    EXPECT_FALSE(document.LoadFromFile(folder.Path() + u"FrameSkins.xml"));
    EXPECT_EQ(GetSkinValue(document, u"BASE", u"BK_MASK"), u"");
}

}  // namespace
