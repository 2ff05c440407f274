// TIFF pictures through libtiff, read from and written to memory (never a temporary file).
//
// Decoding reads the first directory: strips or tiles, any compression libtiff was built
// with, bilevel, grey, palette, RGB, CMYK, YCbCr and 16-bit samples. Grey pictures come
// out as Gray8, everything else as Rgb24; transparent pixels are laid over white. The size
// is checked against the budget (codec/budget.h) before any pixel buffer exists, and
// pictures that need libtiff's RGBA reader are decoded in bands whatever their orientation.
// Unlike a JPEG, a TIFF with a damaged or missing strip or tile is an error as a whole.
//
// Encoding writes one directory, 8 bits per sample, Deflate compression with horizontal
// differencing: lossless like an uncompressed file, readable by every TIFF reader we know,
// and usually half the size or less. The caller owns the bytes; results own their memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "codec/image.h"

namespace vemora::codec {

// Throws CodecError on damaged or unsupported data, or a picture over the budget.
Image DecodeTiff(std::span<const uint8_t> bytes);

// Width, height and bits per pixel (bits per sample x samples) of the first directory.
ImageInfo ReadTiffInfo(std::span<const uint8_t> bytes);

std::vector<uint8_t> EncodeTiff(const Image& image);

}  // namespace vemora::codec
