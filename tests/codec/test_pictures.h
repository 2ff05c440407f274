// Small pictures made in the test itself, and the measures the codec tests compare with.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "codec/image.h"
#include "codec/image_file.h"
#include "support/testdata.h"

namespace vemora::codec::testing {

// A smooth diagonal colour ramp with a hard edge in the middle, so both lossy round trips
// and lossless ones have something to keep.
inline Image MakeTestPicture(int32_t width, int32_t height,
                             PixelFormat format = PixelFormat::Rgb24) {
  Image image;
  image.width = width;
  image.height = height;
  image.format = format;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      const int edge = x < width / 2 ? 0 : 60;
      const auto r = static_cast<uint8_t>((x * 255 / std::max(1, width - 1) + edge) % 256);
      const auto g = static_cast<uint8_t>(y * 255 / std::max(1, height - 1));
      const auto b = static_cast<uint8_t>(((x + y) * 2 + edge) % 256);
      if (format == PixelFormat::Gray8) row[x] = static_cast<uint8_t>((r + g + b) / 3);
      if (format == PixelFormat::Rgb24) std::copy_n(std::data({r, g, b}), 3, row + 3 * x);
    }
  }
  return image;
}

// Peak signal-to-noise ratio in dB over all samples; infinity for equal pictures.
inline double Psnr(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height || a.format != b.format) return 0;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const double d = static_cast<double>(a.pixels[i]) - b.pixels[i];
    sum += d * d;
  }
  if (sum == 0) return INFINITY;
  return 10 * std::log10(255.0 * 255.0 * static_cast<double>(a.pixels.size()) / sum);
}

inline std::filesystem::path TestImage(const std::string& relative) {
  return ::vemora::testing::TestDataDir() / "images" / relative;
}

inline std::vector<uint8_t> TestImageBytes(const std::string& relative) {
  return ReadFileBytes(TestImage(relative));
}

}  // namespace vemora::codec::testing
