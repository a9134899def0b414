// The strings step of a skinned button's creation: strings.xml read once it has any text, retried
// while it is missing or empty, and the caption font settings of GLOBAL.
#include <gtest/gtest.h>

#include <string>

#include "SkinTestSupport.h"
#include "skin/AppDirectory.h"
#include "skin/SkinDocuments.h"
#include "skin/SkinValue.h"
#include "skin/StringsDocument.h"

namespace {

// Each test starts with an empty strings document and the application directory on its own folder.
class StringsDocumentTest : public testing::Test {
protected:
    void SetUp() override {
        g_docStrings.SetText(WString());
        g_docStrings.ParseDocument();
        ASSERT_TRUE(SetAppDirectory(m_folder.Path()));
    }
    void TearDown() override {
        g_docStrings.SetText(WString());
        g_docStrings.ParseDocument();
    }

    void WriteStrings(const std::string& global) {
        m_folder.Write("strings.xml",
                       "<Strings><GLOBAL>" + global +
                           "</GLOBAL><WARN_DLG><BUTTON_OK_3>OK</BUTTON_OK_3></WARN_DLG></Strings>");
    }

    // A button's creation step on a button with the default settings.
    void CreateButton() {
        m_strFace = u"";
        m_nHeight = 14;
        ApplyStringsFontSettings(m_strFace, m_nHeight);
    }

    TempFolder m_folder;
    WString m_strFace;
    int32_t m_nHeight = 14;
};

TEST_F(StringsDocumentTest, MissingOrEmptyFileIsTriedAgain) {
    CreateButton();
    EXPECT_TRUE(g_docStrings.Text().empty());
    m_folder.Write("strings.xml", "");
    CreateButton();
    EXPECT_TRUE(g_docStrings.Text().empty());
    EXPECT_EQ(m_nHeight, 14);
    WriteStrings("<SIZE>18</SIZE>");
    CreateButton();
    EXPECT_EQ(m_nHeight, 18);
    EXPECT_EQ(GetSkinValue(g_docStrings, u"WARN_DLG", u"BUTTON_OK_3"), u"OK");
}

TEST_F(StringsDocumentTest, ReadOnceItHasText) {
    WriteStrings("<FONT>Tahoma</FONT>");
    CreateButton();
    WriteStrings("<FONT>Verdana</FONT>");
    CreateButton();
    EXPECT_EQ(m_strFace, u"Tahoma");
}

TEST_F(StringsDocumentTest, TextThatDoesNotParseStillCountsAsRead) {
    const char16_t kUnclosed[] = u"<Strings><GLOBAL><SIZE>18</SIZE>";
    m_folder.Write("strings.xml", ToUtf8(kUnclosed));
    CreateButton();
    WriteStrings("<SIZE>20</SIZE>");
    CreateButton();
    EXPECT_EQ(g_docStrings.Text(), kUnclosed);
    EXPECT_NE(m_nHeight, 20);
}

TEST_F(StringsDocumentTest, ReadsTheApplicationDirectoryOfTheMoment) {
    TempFolder other;
    other.Write("strings.xml", "<S><GLOBAL><SIZE>9</SIZE></GLOBAL></S>");
    CreateButton();
    ASSERT_TRUE(SetAppDirectory(other.Path()));
    CreateButton();
    EXPECT_EQ(m_nHeight, 9);
}

TEST_F(StringsDocumentTest, FontSettings) {
    struct Case {
        const char* global;
        const char16_t* face;
        int32_t height;
    };
    const Case cases[] = {
        {"<SIZE>18</SIZE>", u"", 18},
        {"<SIZE>-12</SIZE>", u"", -12},
        {"<SIZE> 16px</SIZE>", u"", 16},
        {"<SIZE>large</SIZE>", u"", 0},
        {"<SIZE></SIZE><FONT></FONT>", u"", 14},
        {"<FONT>Segoe UI</FONT>", u"Segoe UI", 14},
        {"<FONT>  </FONT>", u"  ", 14},
        {"<FONT>A &amp; B</FONT><SIZE>+7</SIZE>", u"A & B", 7},
        {"", u"", 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.global);
        g_docStrings.SetText(WString());
        g_docStrings.ParseDocument();
        WriteStrings(c.global);
        CreateButton();
        EXPECT_EQ(m_strFace, WString(c.face));
        EXPECT_EQ(m_nHeight, c.height);
    }
}

}  // namespace
