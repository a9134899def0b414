// The ui/ GDI owners: what they delete and when, selections put back, paint brackets closed.
#include <gtest/gtest.h>

#include <utility>

#include "SkinTestSupport.h"
#include "skin/Dib32.h"
#include "ui/Font.h"
#include "ui/MemoryDC.h"
#include "ui/PaintDC.h"
#include "ui/Selection.h"

namespace {

bool IsLive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(GdiObject, DeletesWhenDestroyed) {
    HFONT font = CreateFontW(14, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, L"");
    ASSERT_TRUE(IsLive(font));
    { CFont owner(font); }
    EXPECT_FALSE(IsLive(font));
}

TEST(GdiObject, AttachDeletesThePreviousObjectButNotTheSame) {
    CBitmap owner = CreateDib32(1, 1);
    const HBITMAP first = owner.Handle();
    owner.Attach(first);
    EXPECT_TRUE(IsLive(first));
    CBitmap second = CreateDib32(2, 2);
    owner.Attach(second.Detach());
    EXPECT_FALSE(IsLive(first));
    EXPECT_TRUE(IsLive(owner.Handle()));
}

TEST(GdiObject, MovingHandsOwnershipOver) {
    CRegion a(CreateRectRgn(0, 0, 1, 1));
    const HRGN region = a.Handle();
    CRegion b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Handle(), region);
    CRegion c(CreateRectRgn(0, 0, 2, 2));
    const HRGN replaced = c.Handle();
    c = std::move(b);
    EXPECT_FALSE(IsLive(replaced));
    EXPECT_EQ(c.Handle(), region);
    EXPECT_TRUE(IsLive(region));
}

TEST(GdiObject, DetachGivesTheObjectAway) {
    CRegion owner(CreateRectRgn(0, 0, 1, 1));
    const HRGN region = owner.Detach();
    EXPECT_FALSE(owner);
    EXPECT_TRUE(IsLive(region));
    DeleteObject(region);
}

TEST(Selection, PutsThePreviousObjectBack) {
    CMemoryDC dc(nullptr);
    ASSERT_TRUE(dc);
    const HGDIOBJ original = GetCurrentObject(dc.Handle(), OBJ_BITMAP);
    const CBitmap bitmap = CreateDib32(3, 3);
    {
        CSelection selection(dc.Handle(), bitmap.Handle());
        EXPECT_TRUE(selection);
        EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_BITMAP), bitmap.Handle());
    }
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_BITMAP), original);
}

TEST(Selection, ReportsABitmapThatCannotBeSelected) {
    const CBitmap bitmap = CreateDib32(3, 3);
    CMemoryDC first(nullptr);
    CMemoryDC second(nullptr);
    CSelection held(first.Handle(), bitmap.Handle());
    CSelection refused(second.Handle(), bitmap.Handle());
    EXPECT_TRUE(held);
    EXPECT_FALSE(refused);
}

LRESULT CALLBACK PaintingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC paint(window);
        PatBlt(paint.Handle(), 0, 0, 1, 1, BLACKNESS);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(PaintDC, ValidatesWhatWasPainted) {
    TestWindow window(40, 30);
    SetWindowLongPtrW(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintingWindowProc));
    // Only a visible window collects an update region.
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    InvalidateRect(window.Handle(), nullptr, FALSE);
    ASSERT_TRUE(GetUpdateRect(window.Handle(), nullptr, FALSE));
    SendMessageW(window.Handle(), WM_PAINT, 0, 0);
    EXPECT_FALSE(GetUpdateRect(window.Handle(), nullptr, FALSE));
}

}  // namespace
