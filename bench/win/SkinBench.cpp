// skin_bench: how fast a window outline is cut from a mask (megapixels per second on a 1920 x 1080
// mask with a complex outline) and how long the main window's whole skin step takes for a demo-like
// skin. Everything it draws, writes and creates it removes again.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "skin/AppDirectory.h"
#include "skin/Dib32.h"
#include "skin/FrameSkin.h"
#include "skin/MaskRegion.h"
#include "ui/MemoryDC.h"
#include "ui/Region.h"
#include "ui/Selection.h"

namespace {

constexpr int kRuns = 15;

// Median wall time of the runs, in milliseconds.
double MedianMilliseconds(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A frame with rounded corners, round holes and a ragged, dotted fringe: many runs on every row.
CBitmap ComplexMask(int width, int height) {
    CBitmap mask = CreateDib32(width, height);
    CMemoryDC dc(nullptr);
    CSelection selection(dc.Handle(), mask.Handle());
    PatBlt(dc.Handle(), 0, 0, width, height, WHITENESS);
    CSelection brush(dc.Handle(), GetStockObject(BLACK_BRUSH));
    CSelection pen(dc.Handle(), GetStockObject(NULL_PEN));
    RoundRect(dc.Handle(), 40, 40, width - 40, height - 40, 120, 120);
    uint32_t seed = 12345;
    auto next = [&seed](int limit) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(limit));
    };
    CSelection white(dc.Handle(), GetStockObject(WHITE_BRUSH));
    for (int i = 0; i < 600; ++i) {
        const int x = next(width);
        const int y = next(height);
        const int r = 4 + next(30);
        Ellipse(dc.Handle(), x - r, y - r, x + r, y + r);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = next(40); x < width; x += 3 + next(60)) {
            SetPixelV(dc.Handle(), x, y, RGB(0, 0, 0));
        }
    }
    GdiFlush();
    return mask;
}

// A demo-like frame mask: a rounded window with a notch for its title tab.
CBitmap FrameMask(int width, int height) {
    CBitmap mask = CreateDib32(width, height);
    CMemoryDC dc(nullptr);
    CSelection selection(dc.Handle(), mask.Handle());
    PatBlt(dc.Handle(), 0, 0, width, height, WHITENESS);
    CSelection brush(dc.Handle(), GetStockObject(BLACK_BRUSH));
    CSelection pen(dc.Handle(), GetStockObject(NULL_PEN));
    RoundRect(dc.Handle(), 0, 30, width, height, 40, 40);
    RoundRect(dc.Handle(), 40, 0, 360, 60, 30, 30);
    GdiFlush();
    return mask;
}

// The mask as a 32-bit BMP file: a DIB section's rows are already in file order.
void WriteBmp(const std::filesystem::path& file, const CBitmap& bitmap) {
    DIBSECTION dib{};
    GetObjectW(bitmap.Handle(), sizeof(dib), &dib);
    const DWORD imageBytes =
        static_cast<DWORD>(dib.dsBm.bmWidthBytes) * static_cast<DWORD>(dib.dsBm.bmHeight);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + imageBytes;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(&dib.dsBmih), sizeof(BITMAPINFOHEADER));
    out.write(static_cast<const char*>(dib.dsBm.bmBits), imageBytes);
}

// Every outline starts with a fresh 32-bit copy of the mask; on machines where a page fault is dear,
// touching that new memory for the first time is most of the cost. Measured alone for comparison.
void BenchFirstTouch(int width, int height) {
    const SIZE_T bytes = static_cast<SIZE_T>(width) * height * 4;
    const double ms = MedianMilliseconds([&] {
        void* memory = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        std::fill_n(static_cast<volatile char*>(memory), bytes, char{1});
        VirtualFree(memory, 0, MEM_RELEASE);
    });
    std::printf("first touch of a fresh %zu-byte block (the 32-bit copy's size): median %.1f ms\n",
                static_cast<size_t>(bytes), ms);
}

void BenchRegion(const char* outline, const CBitmap& mask) {
    SIZE size{};
    GetBitmapSize(mask.Handle(), size);
    size_t rects = 0;
    const double ms = MedianMilliseconds([&] {
        const CRegion region = CreateRegionFromMask(mask.Handle());
        rects = GetRegionRects(region.Handle()).size();
    });
    std::printf(
        "CreateRegionFromMask %ldx%ld %s outline: %zu rectangles in the region, median %.1f ms, %.1f MP/s\n",
        size.cx, size.cy, outline, rects, ms, size.cx * size.cy / 1e6 / (ms / 1e3));
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateBenchWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DashwellSkinBench";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
}

void BenchFrameSkin() {
    constexpr int kWidth = 1000;
    constexpr int kHeight = 680;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("dashwell-bench-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder / "skins");
    WriteBmp(folder / "skins" / "frame.bmp", FrameMask(kWidth, kHeight));
    std::ofstream(folder / "FrameSkins.xml")
        << "<FrameSkin><BASE><BK_MASK>frame.bmp</BK_MASK></BASE><DEBUG><DEBUG>0</DEBUG></DEBUG></FrameSkin>";
    SetAppDirectory(folder.u16string() + u"\\");
    LoadFrameSkinDocuments();
    const HWND window = CreateBenchWindow();
    bool bDebug = false;
    WString strDebugName;
    const double ms = MedianMilliseconds([&] { ApplyFrameSkin(window, bDebug, strDebugName); });
    RECT bounds{};
    GetWindowRect(window, &bounds);
    std::printf(
        "ApplyFrameSkin %dx%d frame (load, outline, SetWindowRgn, MoveWindow): window %ldx%ld, median %.1f "
        "ms\n",
        kWidth, kHeight, bounds.right - bounds.left, bounds.bottom - bounds.top, ms);
    DestroyWindow(window);
    std::filesystem::remove_all(folder);
}

}  // namespace

int main() {
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    BenchRegion("complex", ComplexMask(kWidth, kHeight));
    BenchRegion("simple", FrameMask(kWidth, kHeight));
    BenchFirstTouch(kWidth, kHeight);
    BenchFrameSkin();
    return 0;
}
