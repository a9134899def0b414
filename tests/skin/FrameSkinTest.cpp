// The main window's skin step on a real window: outline and size from BASE/BK_MASK under "skins\" of
// the application directory, the window kept as it was when the mask is missing, and the DEBUG items.
#include <gtest/gtest.h>

#include <string>

#include "SkinTestSupport.h"
#include "skin/AppDirectory.h"
#include "skin/FrameSkin.h"

namespace {

constexpr int kStartWidth = 200;
constexpr int kStartHeight = 100;

// A skin folder holding FrameSkins.xml with the given groups; both skin documents are loaded from it.
class FrameSkinTest : public testing::Test {
protected:
    void UseSkin(const std::string& groups) {
        m_folder.Write("FrameSkins.xml", "<FrameSkin>" + groups + "</FrameSkin>");
        m_folder.Write("FrameButtons.xml", "<Buttons/>");
        ASSERT_TRUE(SetAppDirectory(m_folder.Path()));
        LoadFrameSkinDocuments();
    }

    void Apply() { ApplyFrameSkin(m_window.Handle(), m_bDebug, m_strDebugName); }

    POINT WindowOrigin() const {
        RECT bounds{};
        GetWindowRect(m_window.Handle(), &bounds);
        return {bounds.left, bounds.top};
    }

    // The window's region, or null when it has none.
    CRegion WindowRegion() const {
        CRegion region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(m_window.Handle(), region.Handle()) == ERROR ? CRegion() : std::move(region);
    }

    TempFolder m_folder;
    TestWindow m_window{kStartWidth, kStartHeight};
    bool m_bDebug = true;
    WString m_strDebugName = u"stale";
};

TEST_F(FrameSkinTest, OutlineAndSizeComeFromTheMask) {
    m_folder.Write("skins/frame.bmp", BmpFromRows({".####.", "######", "######", ".####."}));
    UseSkin("<BASE><BK_MASK>frame.bmp</BK_MASK></BASE>");
    Apply();
    EXPECT_EQ(m_window.Size().cx, 6);
    EXPECT_EQ(m_window.Size().cy, 4);
    EXPECT_EQ(WindowOrigin().x, 0);
    EXPECT_EQ(WindowOrigin().y, 0);
    const CRegion expected = RegionFromRects({{1, 0, 5, 1}, {0, 1, 6, 3}, {1, 3, 5, 4}});
    EXPECT_TRUE(SameRegion(WindowRegion().Handle(), expected.Handle()));
}

TEST_F(FrameSkinTest, MaskThatDoesNotLoadKeepsTheWindowRectangularAndItsSize) {
    m_folder.Write("skins/broken.bmp", "BM not really a bitmap");
    for (const char* base : {"", "<BASE><BK_MASK>absent.bmp</BK_MASK></BASE>",
                             "<BASE><BK_MASK>broken.bmp</BK_MASK></BASE>", "<BASE><BK_MASK/></BASE>"}) {
        SCOPED_TRACE(base);
        UseSkin(base);
        Apply();
        EXPECT_EQ(m_window.Size().cx, kStartWidth);
        EXPECT_EQ(m_window.Size().cy, kStartHeight);
        EXPECT_EQ(WindowOrigin().x, 0);
        EXPECT_FALSE(WindowRegion());
    }
}

TEST_F(FrameSkinTest, AllWhiteMaskSizesTheWindowButLeavesItRectangular) {
    m_folder.Write("skins/white.bmp", BmpFromRows({"...", "..."}));
    UseSkin("<BASE><BK_MASK>white.bmp</BK_MASK></BASE>");
    Apply();
    EXPECT_EQ(m_window.Size().cx, 3);
    EXPECT_EQ(m_window.Size().cy, 2);
    EXPECT_FALSE(WindowRegion());
}

TEST_F(FrameSkinTest, DebugItems) {
    struct Case {
        const char* debug;  // the DEBUG group, or nothing
        bool bDebug;
        const char16_t* name;
    };
    const Case cases[] = {
        {"", false, u""},
        {"<DEBUG><DEBUG>1</DEBUG><DEBUG_NAME>MouseX</DEBUG_NAME></DEBUG>", true, u"MouseX"},
        {"<DEBUG><DEBUG> 1</DEBUG></DEBUG>", true, u""},
        {"<DEBUG><DEBUG>x1</DEBUG></DEBUG>", false, u""},
        {"<DEBUG><DEBUG>0</DEBUG><DEBUG_NAME> Pad 2 </DEBUG_NAME></DEBUG>", false, u" Pad 2 "},
        {"<DEBUG><DEBUG>-3</DEBUG></DEBUG>", true, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.debug);
        UseSkin(c.debug);
        m_bDebug = !c.bDebug;
        m_strDebugName = u"stale";
        Apply();
        EXPECT_EQ(m_bDebug, c.bDebug);
        EXPECT_EQ(m_strDebugName, WString(c.name));
    }
}

}  // namespace
