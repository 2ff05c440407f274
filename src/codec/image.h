// The in-memory picture every codec function reads or writes.
//
// An Image is 8 bits per channel, rows top-down and tightly packed: Gray8 (one byte a
// pixel) or Rgb24 (red, green, blue). Decoders turn palettes, 16-bit samples, CMYK and the
// like into one of these two; encoders take them. Pixels are owned by the Image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "codec/budget.h"

namespace vemora::codec {

enum class PixelFormat : uint8_t { Gray8 = 1, Rgb24 = 3 };

inline constexpr int BytesPerPixel(PixelFormat format) { return static_cast<int>(format); }

struct Image {
  int32_t width = 0;
  int32_t height = 0;
  PixelFormat format = PixelFormat::Rgb24;
  std::vector<uint8_t> pixels;

  bool empty() const { return width <= 0 || height <= 0; }
  size_t RowBytes() const { return static_cast<size_t>(width) * BytesPerPixel(format); }
  uint8_t* Row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * RowBytes(); }
  const uint8_t* Row(int32_t y) const {
    return pixels.data() + static_cast<size_t>(y) * RowBytes();
  }
};

// What a header tells without decoding the pixels.
struct ImageInfo {
  int32_t width = 0;
  int32_t height = 0;
  int bitsPerPixel = 0;  // as stored: 1, 4, 8, 16, 24, 32, ...
};

// Any failure of the codec layer: damaged or unsupported data, a file that cannot be read
// or written. The message is English and names the reason.
class CodecError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vemora::codec
