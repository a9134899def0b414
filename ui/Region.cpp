// Reading a region's rectangles back.
#include "ui/Region.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

std::vector<RECT> GetRegionRects(HRGN region) {
    const DWORD bytes = region ? GetRegionData(region, 0, nullptr) : 0;
    if (bytes < sizeof(RGNDATAHEADER)) {
        return {};
    }
    std::vector<std::byte> data(bytes);
    auto* raw = reinterpret_cast<RGNDATA*>(data.data());
    if (GetRegionData(region, bytes, raw) != bytes) {
        return {};
    }
    RGNDATAHEADER header;
    std::memcpy(&header, data.data(), sizeof(header));
    const size_t count = std::min<size_t>(header.nCount, (bytes - sizeof(header)) / sizeof(RECT));
    std::vector<RECT> rects(count);
    std::memcpy(rects.data(), data.data() + sizeof(header), count * sizeof(RECT));
    return rects;
}
