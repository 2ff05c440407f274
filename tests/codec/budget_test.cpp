// The picture budget every decoder checks before allocating: the cases it exists for.
#include "codec/budget.h"

#include <gtest/gtest.h>

#include "codec/image.h"

namespace vemora::codec {
namespace {

TEST(PictureBudget, TakesRealPhotosAndRefusesLyingHeaders) {
  const struct {
    int64_t width, height;
    size_t bytes;
    int64_t pixelsPerByte;
    bool fits;
    const char* why;
  } cases[] = {
      {11648, 8736, 25'000'000, kJpegPixelsPerByte, true, "a 100-MP camera photo"},
      {4000, 3000, 200'000, kJpegPixelsPerByte, true, "a flat 12-MP photo of 200 KB"},
      {64, 64, 10, kJpegPixelsPerByte, true, "a tiny picture from a few bytes"},
      {10000, 10000, 25'000, kJpegPixelsPerByte, false, "10000 x 10000 from 25 KB"},
      {20000, 20000, 500'000'000, kJpegPixelsPerByte, false, "over the absolute limit"},
      {3'722'304'989, 3'722'304'989, 100, kDeflatePixelsPerByte, false,
       "sides whose product overflows"},
      {0, 100, 100, kJpegPixelsPerByte, false, "no width"},
  };
  for (const auto& c : cases) {
    if (c.fits) {
      EXPECT_NO_THROW(CheckPictureBudget("X", c.width, c.height, c.bytes, c.pixelsPerByte))
          << c.why;
    } else {
      EXPECT_THROW(CheckPictureBudget("X", c.width, c.height, c.bytes, c.pixelsPerByte), CodecError)
          << c.why;
    }
  }
}

}  // namespace
}  // namespace vemora::codec
