// LoadPictureFile: the formats the decoder turns into bitmaps, files that must leave the bitmap and
// the size untouched, the bitmap's ownership, and the malformed-image corpora.
#include <gtest/gtest.h>

#include <filesystem>

#include "SkinTestSupport.h"
#include "skin/Dib32.h"
#include "skin/MaskRegion.h"
#include "skin/PictureFile.h"

namespace {

// Every fixture is 16 x 16 and white with its top-right quadrant black.
TEST(PictureFile, EachFormatDecodesToTheMaskItHolds) {
    const CRegion expected = RegionFromRects({{8, 0, 16, 8}});
    for (const char* name : {"quadrant-1bit.bmp", "quadrant-24bit.bmp", "quadrant.gif", "quadrant.jpg"}) {
        SCOPED_TRACE(name);
        CBitmap picture;
        SIZE size{};
        LoadPictureFile(TestDataPath(name), picture, &size);
        ASSERT_TRUE(picture);
        EXPECT_EQ(size.cx, 16);
        EXPECT_EQ(size.cy, 16);
        const CRegion region = CreateRegionFromMask(picture.Handle());
        EXPECT_TRUE(SameRegion(region.Handle(), expected.Handle()));
    }
}

TEST(PictureFile, TheBitmapOutlivesTheDecoder) {
    CBitmap picture;
    LoadPictureFile(TestDataPath("quadrant.gif"), picture);
    // The decoder's own bitmap dies with its picture object: ours must still be a live bitmap.
    EXPECT_EQ(GetObjectType(picture.Handle()), static_cast<DWORD>(OBJ_BITMAP));
    SIZE size{};
    EXPECT_TRUE(GetBitmapSize(picture.Handle(), size));
    EXPECT_EQ(size.cx, 16);
}

TEST(PictureFile, LoadingAgainReplacesAndDeletesThePreviousBitmap) {
    TempFolder folder;
    const WString wide = folder.Write("wide.bmp", BmpFromRows({"#..", "..."}));
    CBitmap picture;
    LoadPictureFile(TestDataPath("quadrant.gif"), picture);
    const HBITMAP first = picture.Handle();
    SIZE size{};
    LoadPictureFile(wide, picture, &size);
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 2);
    EXPECT_TRUE(first == picture.Handle() || GetObjectType(first) == 0);
}

TEST(PictureFile, FailuresLeaveBitmapAndSizeUntouched) {
    TempFolder folder;
    struct Case {
        const char* name;
        WString path;
    };
    const Case cases[] = {
        {"missing file", folder.Path() + u"missing.bmp"},
        {"empty path", WString()},
        {"a folder", folder.Path()},
        {"empty file", folder.Write("empty.bmp", "")},
        {"not a picture", folder.Write("text.bmp", "this is no picture at all\r\n")},
        {"an icon decodes to no bitmap", TestDataPath("quadrant.ico")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBitmap picture = CreateDib32(5, 7);
        const HBITMAP before = picture.Handle();
        SIZE size = {-1, -2};
        LoadPictureFile(c.path, picture, &size);
        EXPECT_EQ(picture.Handle(), before);
        EXPECT_EQ(GetObjectType(before), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(size.cx, -1);
        EXPECT_EQ(size.cy, -2);
    }
}

// Every file of the folder, when the corpora are present; skipped files are those the decoder refuses.
int LoadEveryPicture(const WString& folder) {
    int decoded = 0;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::filesystem::path(folder), error)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        CBitmap picture;
        SIZE size{};
        LoadPictureFile(entry.path().u16string(), picture, &size);
        if (!picture) {
            continue;
        }
        ++decoded;
        EXPECT_GT(size.cx, 0);
        EXPECT_GT(size.cy, 0);
        const CRegion region = CreateRegionFromMask(picture.Handle());
        RECT box{};
        if (region && GetRgnBox(region.Handle(), &box) != NULLREGION) {
            EXPECT_GE(box.left, 0);
            EXPECT_GE(box.top, 0);
            EXPECT_LE(box.right, size.cx);
            EXPECT_LE(box.bottom, size.cy);
        }
    }
    return decoded;
}

TEST(PictureFile, MalformedCorporaDoNotCrash) {
    const char* folders[] = {"images/bmpsuite-2.8/b", "images/gdk-pixbuf-2.42.10-test-images/fail",
                             "images/imagetestsuite"};
    bool anyPresent = false;
    for (const char* relative : folders) {
        const WString folder = CorporaPath(relative);
        if (!std::filesystem::is_directory(std::filesystem::path(folder))) {
            continue;
        }
        anyPresent = true;
        SCOPED_TRACE(relative);
        const int decoded = LoadEveryPicture(folder);
        std::printf("%s: %d files decoded\n", relative, decoded);
    }
    if (!anyPresent) {
        GTEST_SKIP() << "third-party image corpora not present";
    }
}

}  // namespace
