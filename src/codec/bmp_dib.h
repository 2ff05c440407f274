// The device-independent bitmap (DIB) reader shared by the BMP and icon decoders.
//
// A DIB is an info header, an optional colour table and the pixel rows. A BMP file puts a
// 14-byte file header in front and says where the rows start; an icon entry is a bare DIB
// whose height counts the colour rows and the transparency mask together. Both go through
// ParseDib, which validates the header against the bytes before anything is allocated, and
// DecodeDibPixels, which fills the Image.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "codec/image.h"

namespace vemora::codec::dib {

enum class Compression : uint8_t { None, Rle8, Rle4, Rle24, BitFields };

struct Layout {
  int32_t width = 0;
  int32_t height = 0;  // rows of the picture (an icon's mask rows not counted)
  bool topDown = false;
  int bitsPerPixel = 0;
  Compression compression = Compression::None;
  std::array<uint32_t, 3> masks{};              // red, green, blue for BitFields
  std::vector<std::array<uint8_t, 3>> palette;  // red, green, blue
  size_t pixelOffset = 0;  // where the rows start, from the start of the given bytes
  size_t rowBytes = 0;     // stride of uncompressed rows
};

// headerOffset: where the info header starts. pixelOffset: where the rows start, or 0 for
// "right after the colour table" (icons). iconLayout halves the stored height.
Layout ParseDib(std::span<const uint8_t> bytes, size_t headerOffset, size_t pixelOffset,
                bool iconLayout);

// Decodes the rows into an Rgb24 image. When alpha is given and the picture has 32 bits
// per pixel, it receives one alpha byte per pixel (top-down); otherwise it is left empty.
Image DecodeDibPixels(std::span<const uint8_t> bytes, const Layout& layout,
                      std::vector<uint8_t>* alpha = nullptr);

}  // namespace vemora::codec::dib
