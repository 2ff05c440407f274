// Windows and OS/2 bitmaps (BMP): decode every common variant, encode 24 bits.
//
// The decoder reads 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4 and RLE8, bit fields,
// top-down rows and the OS/2 core and 2.x headers. It bounds every read by the given bytes
// and refuses a header whose dimensions or pixel data the file cannot back, before it
// allocates. Palette pictures and colour pictures come out as Rgb24. The caller owns the
// bytes; the returned Image owns its pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "codec/image.h"

namespace vemora::codec {

// Decodes a whole BMP file held in memory. Throws CodecError on damaged or unsupported data.
Image DecodeBmp(std::span<const uint8_t> bytes);

// Width, height and stored bits per pixel from the headers alone.
ImageInfo ReadBmpInfo(std::span<const uint8_t> bytes);

// A BMP file of 24 bits per pixel, rows bottom-up, with a BITMAPINFOHEADER.
std::vector<uint8_t> EncodeBmp(const Image& image);

}  // namespace vemora::codec
