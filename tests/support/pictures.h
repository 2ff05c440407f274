// Pictures drawn in the test, for tests that need real image bytes but no particular photo.
#pragma once

#include <cstdint>
#include <string>

#include "codec/image.h"
#include "codec/jpeg.h"

namespace vemora::testing {

// An Rgb24 picture with a pattern that `seed` varies, so pictures of one size differ.
inline codec::Image TestPicture(int32_t width, int32_t height, uint8_t seed = 0) {
  codec::Image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(height));
  for (size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = static_cast<uint8_t>(i * 7 + seed);
  return image;
}

// One grey level all over, as JPEG bytes.
inline std::string FlatJpeg(int32_t width, int32_t height, uint8_t shade = 120) {
  codec::Image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(image.RowBytes() * static_cast<size_t>(height), shade);
  const auto bytes = codec::EncodeJpeg(image);
  return std::string(bytes.begin(), bytes.end());
}

// The picture as JPEG bytes, one per char, as the catalogue holds them.
inline std::string TestJpeg(int32_t width, int32_t height, uint8_t seed = 0) {
  const auto bytes = codec::EncodeJpeg(TestPicture(width, height, seed));
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace vemora::testing
