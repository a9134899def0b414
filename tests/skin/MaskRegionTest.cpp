// CreateRegionFromMask: runs of non-white pixels, exact white only, picture coordinates, the 2000-
// rectangle batches, and masks of other depths.
#include <gtest/gtest.h>

#include <vector>

#include "SkinTestSupport.h"
#include "skin/MaskRegion.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"

namespace {

struct MaskCase {
    const char* name;
    std::initializer_list<std::string_view> rows;
    std::vector<RECT> expected;
};

const MaskCase kMaskCases[] = {
    {"one black pixel at (3, 5), stored bottom-up",
     {"........", "........", "........", "........", "........", "...#....", "........", "........"},
     {{3, 5, 4, 6}}},
    {"black black white black", {"##.#"}, {{0, 0, 2, 1}, {3, 0, 4, 1}}},
    {"run reaching the right edge", {".###"}, {{1, 0, 4, 1}}},
    {"red 255 green 255 blue 254 is inside", {".n."}, {{1, 0, 2, 1}}},
    {"rows stack", {"#..", "##.", "..#"}, {{0, 0, 1, 1}, {0, 1, 2, 2}, {2, 2, 3, 3}}},
};

TEST(MaskRegion, RunsOfNonWhitePixels) {
    for (const MaskCase& c : kMaskCases) {
        SCOPED_TRACE(c.name);
        const CBitmap mask = MaskFromRows(c.rows);
        const CRegion region = CreateRegionFromMask(mask.Handle());
        const CRegion expected = RegionFromRects(c.expected);
        EXPECT_TRUE(SameRegion(region.Handle(), expected.Handle()));
    }
}

TEST(MaskRegion, OneRectanglePerRunWithinARow) {
    const CBitmap mask = MaskFromRows({"##.#"});
    const CRegion region = CreateRegionFromMask(mask.Handle());
    EXPECT_EQ(GetRegionRects(region.Handle()), (std::vector<RECT>{{0, 0, 2, 1}, {3, 0, 4, 1}}));
}

TEST(MaskRegion, NoRegionForAllWhiteOrNullMask) {
    const CBitmap white = MaskFromRows({"....", "...."});
    EXPECT_FALSE(CreateRegionFromMask(white.Handle()));
    EXPECT_FALSE(CreateRegionFromMask(nullptr));
}

// One row alternating black and white, starting with black.
CBitmap AlternatingRow(int width) {
    std::string row(width, '.');
    for (int x = 0; x < width; x += 2) {
        row[x] = '#';
    }
    return MaskFromRows({row});
}

TEST(MaskRegion, BatchesOf2000RectanglesAreCombined) {
    // 3999 pixels make exactly one full batch; 4001 one full batch and a batch of one.
    for (int width : {3999, 4001}) {
        SCOPED_TRACE(width);
        const CBitmap mask = AlternatingRow(width);
        const CRegion region = CreateRegionFromMask(mask.Handle());
        std::vector<RECT> expected;
        for (int x = 0; x < width; x += 2) {
            expected.push_back({x, 0, x + 1, 1});
        }
        EXPECT_EQ(GetRegionRects(region.Handle()), expected);
    }
}

TEST(MaskRegion, MonochromeMask) {
    CBitmap mask(CreateBitmap(8, 4, 1, 1, nullptr));
    {
        CMemoryDC dc(nullptr);
        CSelection selection(dc.Handle(), mask.Handle());
        PatBlt(dc.Handle(), 0, 0, 8, 4, WHITENESS);
        PatBlt(dc.Handle(), 2, 1, 3, 2, BLACKNESS);
    }
    const CRegion region = CreateRegionFromMask(mask.Handle());
    const CRegion expected = RegionFromRects({{2, 1, 5, 3}});
    EXPECT_TRUE(SameRegion(region.Handle(), expected.Handle()));
}

TEST(MaskRegion, MaskSelectedElsewhereGivesNoRegion) {
    const CBitmap mask = MaskFromRows({"#"});
    CMemoryDC dc(nullptr);
    CSelection selection(dc.Handle(), mask.Handle());
    EXPECT_FALSE(CreateRegionFromMask(mask.Handle()));
}

TEST(MaskRegion, MaskIsNotChanged) {
    const CBitmap mask = MaskFromRows({"#.", ".#"});
    static_cast<void>(CreateRegionFromMask(mask.Handle()));
    CMemoryDC dc(nullptr);
    CSelection selection(dc.Handle(), mask.Handle());
    EXPECT_EQ(GetPixel(dc.Handle(), 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc.Handle(), 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc.Handle(), 1, 1), RGB(0, 0, 0));
}

}  // namespace
