// The bytes of uncompressed 24-bit BMP files that tests write as pictures.
#pragma once

#include <cstdint>
#include <string>

// Bytes per pixel row of a 24-bit BMP: rows are padded to whole 32-bit words.
uint32_t Bmp24Stride(uint32_t width);
// File and info headers of a bottom-up 24-bit BMP of that size; the pixel rows follow them.
std::string Bmp24Header(uint32_t width, uint32_t height);
