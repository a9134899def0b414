// BMP headers, written field by field in little-endian order.
#include "tests/support/BmpBytes.h"

namespace {

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

uint32_t Bmp24Stride(uint32_t width) {
    return (width * 3 + 3) & ~3u;
}

std::string Bmp24Header(uint32_t width, uint32_t height) {
    constexpr uint32_t kHeadersSize = 54;
    std::string bmp = "BM";
    AppendLittleEndian(bmp, kHeadersSize + Bmp24Stride(width) * height, 4);
    AppendLittleEndian(bmp, 0, 4);
    AppendLittleEndian(bmp, kHeadersSize, 4);
    AppendLittleEndian(bmp, 40, 4);
    AppendLittleEndian(bmp, width, 4);
    AppendLittleEndian(bmp, height, 4);
    AppendLittleEndian(bmp, 1, 2);
    AppendLittleEndian(bmp, 24, 2);
    bmp.append(24, '\0');
    return bmp;
}
