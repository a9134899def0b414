// Helpers of the skin tests.
#include "SkinTestSupport.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "skin/Dib32.h"
#include "tests/support/BmpBytes.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const RECT& rect) {
    return out << '(' << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ')';
}

namespace {

// Wine runs a Unix path from the build as a path on the current drive; name the root drive outright.
WString WindowsPath(std::string_view unixOrWindows) {
    WString path = FromUtf8(unixOrWindows);
    for (char16_t& unit : path) {
        if (unit == u'/') {
            unit = u'\\';
        }
    }
    return path.starts_with(u"\\") ? u"Z:" + path : path;
}

}  // namespace

WString TestDataPath(std::string_view name) {
    return WindowsPath(std::string(DASHWELL_SOURCE_DIR) + "/tests/skin/data/" + std::string(name));
}

WString CorporaPath(std::string_view relative) {
    return WindowsPath(std::string(DASHWELL_CORPORA_DIR) + "/" + std::string(relative));
}

CBitmap MaskFromRows(std::initializer_list<std::string_view> rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height ? static_cast<int>(rows.begin()->size()) : 0;
    CBitmap mask = CreateDib32(width, height);
    CMemoryDC dc(nullptr);
    CSelection selection(dc.Handle(), mask.Handle());
    PatBlt(dc.Handle(), 0, 0, width, height, WHITENESS);
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (row[x] == '#') {
                SetPixelV(dc.Handle(), x, y, RGB(0, 0, 0));
            } else if (row[x] == 'n') {
                SetPixelV(dc.Handle(), x, y, RGB(255, 255, 254));
            }
        }
        ++y;
    }
    GdiFlush();
    return mask;
}

CRegion RegionFromRects(const std::vector<RECT>& rects) {
    CRegion result(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& rect : rects) {
        CRegion part(CreateRectRgnIndirect(&rect));
        CombineRgn(result.Handle(), result.Handle(), part.Handle(), RGN_OR);
    }
    return result;
}

bool SameRegion(HRGN a, HRGN b) {
    return a && b && EqualRgn(a, b);
}

namespace {

const wchar_t kTestWindowClass[] = L"DashwellSkinTestWindow";

void RegisterTestWindowClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTestWindowClass;
    RegisterClassW(&windowClass);
}

}  // namespace

TestWindow::TestWindow(int width, int height) {
    RegisterTestWindowClass();
    m_hWnd = CreateWindowExW(0, kTestWindowClass, L"skin test", WS_POPUP, 10, 10, width, height, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow() {
    DestroyWindow(m_hWnd);
}

SIZE TestWindow::Size() const {
    RECT bounds{};
    GetWindowRect(m_hWnd, &bounds);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

std::string BmpFromRows(std::initializer_list<std::string_view> rows) {
    const uint32_t height = static_cast<uint32_t>(rows.size());
    const uint32_t width = height ? static_cast<uint32_t>(rows.begin()->size()) : 0;
    const uint32_t stride = Bmp24Stride(width);
    std::string bmp = Bmp24Header(width, height);
    for (auto row = std::rbegin(rows); row != std::rend(rows); ++row) {
        std::string line;
        for (char pixel : *row) {
            line.append(3, pixel == '#' ? '\0' : '\xFF');
        }
        line.resize(stride, '\0');
        bmp += line;
    }
    return bmp;
}
