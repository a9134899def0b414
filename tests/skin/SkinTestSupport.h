// Helpers of the skin tests: fixture and corpus paths, a temporary folder per test, masks painted from
// rows of characters, region comparison and a plain popup window. Each helper owns what it makes.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <ostream>
#include <string_view>
#include <vector>

#include "tests/support/TempFolder.h"
#include "ui/Bitmap.h"
#include "ui/Region.h"
#include "xml/WideString.h"

bool operator==(const RECT& a, const RECT& b);
std::ostream& operator<<(std::ostream& out, const RECT& rect);

// A file of tests/skin/data.
WString TestDataPath(std::string_view name);
// A folder of the third-party corpora (may not exist).
WString CorporaPath(std::string_view relative);

// A 32-bit mask, one string per row from the top: '#' black, '.' white, 'n' red 255 green 255 blue 254.
// Painted through GDI, so the rows are the picture's rows whatever the storage order.
CBitmap MaskFromRows(std::initializer_list<std::string_view> rows);

CRegion RegionFromRects(const std::vector<RECT>& rects);
bool SameRegion(HRGN a, HRGN b);

// A hidden popup window of the given size at (10, 10), destroyed at the end of the test.
class TestWindow {
public:
    TestWindow(int width, int height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    SIZE Size() const;

private:
    HWND m_hWnd;
};

// A 24-bit BMP file of the rows ('#' black, anything else white), stored bottom-up as usual.
std::string BmpFromRows(std::initializer_list<std::string_view> rows);
