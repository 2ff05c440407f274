// JPEG pictures through libjpeg-turbo, straight from and to memory.
//
// Decoding reads greyscale (as Gray8), YCbCr and RGB (as Rgb24), and CMYK/YCCK (converted
// to Rgb24; the inverted form Adobe writes is recognised by its APP14 marker), baseline and
// progressive. It can decode at a reduced DCT scale, which is how previews stay fast. A
// truncated file decodes what is there (libjpeg fills the missing rest in grey), as a
// viewer shows it; a file without any image data, with a broken header, or far too small
// for the size its header claims, is an error.
// The caller owns the bytes; returned Images and byte vectors own their memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "codec/image.h"

namespace vemora::codec {

// The longest side the JPEG format can hold.
inline constexpr int32_t kMaxJpegSide = 65500;

struct JpegDecodeOptions {
  // Output size is ceil(size * scaleNumerator / 8); 1..16, 8 is full size.
  int scaleNumerator = 8;
  // Trades a little quality for speed: the fast integer IDCT and plain chroma upsampling.
  // Meant for previews that are stretched down afterwards.
  bool fast = false;
};

// Throws CodecError on damaged or unsupported data, a picture over the budget
// (codec/budget.h), or a progressive file with more scans than its size allows.
Image DecodeJpeg(std::span<const uint8_t> bytes, const JpegDecodeOptions& options = {});

// The smallest scale numerator (of 8) at which the picture is still at least minHeight rows
// high; 8 when even the full size is lower.
int JpegScaleForHeight(int32_t height, int32_t minHeight);

// Width, height and bits per pixel (8 per component) from the header alone.
ImageInfo ReadJpegInfo(std::span<const uint8_t> bytes);

// Encodes with the library's default settings (quality 75, 4:2:0 for colour).
std::vector<uint8_t> EncodeJpeg(const Image& image);

}  // namespace vemora::codec
