// The mask walk: the mask is copied into a 32-bit DIB section, each row's runs of non-white pixels
// become one-row rectangles in a region-data buffer, and every 2000 rectangles the buffer becomes a
// region that is OR-combined into the result, so that no region-creation call gets more than 2000.
#include "skin/MaskRegion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/Dib32.h"
#include "ui/Bitmap.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"

namespace {

constexpr DWORD kBufferGrowth = 100;
constexpr DWORD kRectanglesPerRegion = 2000;
constexpr RECT kEmptyBound = {0x7FFFFFFF, 0x7FFFFFFF, 0, 0};

// Collects one-row rectangles as region data and folds them into one region.
class RunCollector {
public:
    RunCollector() : m_data(sizeof(RGNDATAHEADER) + m_capacity * sizeof(RECT)) { ClearHeader(); }

    void Add(LONG left, LONG right, LONG y) {
        if (m_header.nCount >= m_capacity) {
            m_capacity += kBufferGrowth;
            m_data.resize(sizeof(RGNDATAHEADER) + m_capacity * sizeof(RECT));
        }
        const RECT run = {left, y, right, y + 1};
        std::memcpy(m_data.data() + sizeof(RGNDATAHEADER) + m_header.nCount * sizeof(RECT), &run,
                    sizeof(run));
        WidenBound(run);
        if (++m_header.nCount == kRectanglesPerRegion) {
            Flush();
        }
    }

    // The union of every rectangle added; null when there was none or a region could not be made.
    [[nodiscard]] CRegion Finish() {
        if (m_header.nCount > 0) {
            Flush();
        }
        return m_failed ? CRegion() : std::move(m_result);
    }

private:
    void ClearHeader() { m_header = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 0, 0, kEmptyBound}; }

    void WidenBound(const RECT& run) {
        RECT& bound = m_header.rcBound;
        bound.left = std::min(bound.left, run.left);
        bound.top = std::min(bound.top, run.top);
        bound.right = std::max(bound.right, run.right);
        bound.bottom = std::max(bound.bottom, run.bottom);
    }

    void Flush() {
        std::memcpy(m_data.data(), &m_header, sizeof(m_header));
        const DWORD bytes = sizeof(RGNDATAHEADER) + m_header.nCount * sizeof(RECT);
        CRegion part(ExtCreateRegion(nullptr, bytes, reinterpret_cast<const RGNDATA*>(m_data.data())));
        if (!part) {
            m_failed = true;
        } else if (!m_result) {
            m_result = std::move(part);
        } else if (CombineRgn(m_result.Handle(), m_result.Handle(), part.Handle(), RGN_OR) == ERROR) {
            m_failed = true;
        }
        ClearHeader();
    }

    DWORD m_capacity = kBufferGrowth;
    RGNDATAHEADER m_header{};
    std::vector<std::byte> m_data;  // the header, then m_capacity rectangles
    CRegion m_result;
    bool m_failed = false;
};

// Only pure white is outside; the fourth byte is never looked at.
bool IsWhite(uint32_t pixel) {
    return (pixel & 0x00FFFFFF) == 0x00FFFFFF;
}

void CollectRow(const uint32_t* pixels, LONG width, LONG y, RunCollector& runs) {
    LONG x = 0;
    while (x < width) {
        if (IsWhite(pixels[x])) {
            ++x;
            continue;
        }
        const LONG start = x;
        while (x < width && !IsWhite(pixels[x])) {
            ++x;
        }
        runs.Add(start, x, y);
    }
}

// Copies the mask 1:1 into the 32-bit bitmap, whatever the mask's own depth.
bool CopyMask(HBITMAP mask, const CBitmap& copy, SIZE size) {
    CMemoryDC copyDC(nullptr);
    if (!copyDC) {
        return false;
    }
    CMemoryDC maskDC(copyDC.Handle());
    if (!maskDC) {
        return false;
    }
    CSelection copySelection(copyDC.Handle(), copy.Handle());
    CSelection maskSelection(maskDC.Handle(), mask);
    const bool copied = copySelection && maskSelection &&
                        BitBlt(copyDC.Handle(), 0, 0, size.cx, size.cy, maskDC.Handle(), 0, 0, SRCCOPY);
    // The pixels are read through memory next: GDI must have finished writing them.
    GdiFlush();
    return copied;
}

}  // namespace

CRegion CreateRegionFromMask(HBITMAP mask) {
    SIZE size{};
    if (!mask || !GetBitmapSize(mask, size)) {
        return CRegion();
    }
    const CBitmap copy = CreateDib32(size.cx, size.cy);
    DIBSECTION dib{};
    if (!copy || GetObjectW(copy.Handle(), sizeof(dib), &dib) != sizeof(dib) || !CopyMask(mask, copy, size)) {
        return CRegion();
    }
    const auto* bits = static_cast<const std::byte*>(dib.dsBm.bmBits);
    const size_t stride = (static_cast<size_t>(dib.dsBm.bmWidthBytes) + 3) & ~size_t{3};
    RunCollector runs;
    // Row 0 in memory is the picture's bottom row.
    for (LONG y = 0; y < size.cy; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(bits + static_cast<size_t>(size.cy - 1 - y) * stride);
        CollectRow(row, size.cx, y, runs);
    }
    return runs.Finish();
}
