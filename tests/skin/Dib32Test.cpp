// CreateDib32 and CopyBitmapRect: sizes, the pixels copied, what lies past the source's edge, and the
// destination's previous bitmap.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/Dib32.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"
#include "ui/WindowDC.h"

namespace {

TEST(Dib32, BottomUp32BitOfTheAskedSize) {
    const CBitmap dib = CreateDib32(7, 3);
    DIBSECTION description{};
    ASSERT_EQ(GetObjectW(dib.Handle(), sizeof(description), &description),
              static_cast<int>(sizeof(description)));
    EXPECT_EQ(description.dsBmih.biWidth, 7);
    EXPECT_EQ(description.dsBmih.biHeight, 3);
    EXPECT_EQ(description.dsBmih.biBitCount, 32);
    EXPECT_EQ(description.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
}

TEST(Dib32, NoBitmapForSidesThatAreNotPositive) {
    for (SIZE size : {SIZE{0, 4}, SIZE{4, 0}, SIZE{-3, 4}, SIZE{4, -3}}) {
        EXPECT_FALSE(CreateDib32(size.cx, size.cy)) << size.cx << " x " << size.cy;
    }
}

COLORREF PixelAt(const CBitmap& bitmap, int x, int y) {
    CMemoryDC dc(nullptr);
    CSelection selection(dc.Handle(), bitmap.Handle());
    return GetPixel(dc.Handle(), x, y);
}

// A 4 x 3 source: '#' black, '.' white, 'n' near white.
CBitmap Source() {
    return MaskFromRows({"#..n", ".#..", "..##"});
}

TEST(CopyBitmapRect, CopiesTheRectangleAtTheSameScale) {
    const CBitmap source = Source();
    CBitmap piece;
    CopyBitmapRect(piece, nullptr, source, {1, 0, 4, 2});
    SIZE size{};
    ASSERT_TRUE(GetBitmapSize(piece.Handle(), size));
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 2);
    EXPECT_EQ(PixelAt(piece, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(piece, 2, 0), RGB(255, 255, 254));
    EXPECT_EQ(PixelAt(piece, 0, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(piece, 1, 1), RGB(255, 255, 255));
}

TEST(CopyBitmapRect, PastTheSourceEdgeKeepsTheFullSizeAndIsBlackThere) {
    const CBitmap source = Source();
    CWindowDC screen(nullptr);
    CBitmap piece;
    CopyBitmapRect(piece, screen.Handle(), source, {2, 1, 7, 5});
    SIZE size{};
    ASSERT_TRUE(GetBitmapSize(piece.Handle(), size));
    EXPECT_EQ(size.cx, 5);
    EXPECT_EQ(size.cy, 4);
    EXPECT_EQ(PixelAt(piece, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(piece, 0, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(piece, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(piece, 4, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(piece, 1, 3), RGB(0, 0, 0));
}

TEST(CopyBitmapRect, BeforeTheSourceOriginShiftsTheCopy) {
    const CBitmap source = Source();
    CBitmap piece;
    CopyBitmapRect(piece, nullptr, source, {-1, -1, 2, 2});
    EXPECT_EQ(PixelAt(piece, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(piece, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(piece, 2, 1), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(piece, 2, 2), RGB(0, 0, 0));
}

TEST(CopyBitmapRect, TwiceOnOneDestinationDeletesTheFirstPiece) {
    const CBitmap source = Source();
    CBitmap piece;
    CopyBitmapRect(piece, nullptr, source, {0, 0, 2, 2});
    const HBITMAP first = piece.Handle();
    CopyBitmapRect(piece, nullptr, source, {0, 0, 3, 1});
    SIZE size{};
    ASSERT_TRUE(GetBitmapSize(piece.Handle(), size));
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 1);
    EXPECT_TRUE(first == piece.Handle() || GetObjectType(first) == 0);
}

TEST(CopyBitmapRect, EmptySourceKeepsTheDestination) {
    CBitmap piece = CreateDib32(2, 2);
    const HBITMAP before = piece.Handle();
    CopyBitmapRect(piece, nullptr, CBitmap(), {0, 0, 1, 1});
    EXPECT_EQ(piece.Handle(), before);
}

TEST(CopyBitmapRect, EmptyOrInvertedRectangleLeavesNoBitmap) {
    const CBitmap source = Source();
    for (RECT rect : {RECT{1, 1, 1, 3}, RECT{3, 0, 1, 2}, RECT{LONG_MIN, 0, LONG_MAX, 1}}) {
        SCOPED_TRACE(testing::PrintToString(rect));
        CBitmap piece = CreateDib32(2, 2);
        CopyBitmapRect(piece, nullptr, source, rect);
        EXPECT_FALSE(piece);
    }
}

}  // namespace
