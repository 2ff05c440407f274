// The plain stretch: box averages when shrinking, repeated pixels when enlarging.
#include "codec/stretch.h"

#include <gtest/gtest.h>

namespace vemora::codec {
namespace {

Image Grey(int32_t width, int32_t height, std::vector<uint8_t> pixels) {
  return Image{width, height, PixelFormat::Gray8, std::move(pixels)};
}

TEST(Stretch, ShrinkingAveragesEachBoxOverTheWholeSource) {
  const Image out = Stretch(Grey(4, 2, {0, 10, 20, 30, 100, 110, 120, 131}), 2, 1);
  ASSERT_EQ(out.format, PixelFormat::Rgb24);
  // (0+10+100+110)/4 = 55, (20+30+120+131)/4 = 75.25, on all three channels.
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{55, 55, 55, 75, 75, 75}));
  // 7 -> 3: boxes of 2, 2 and 3 source pixels; the last pixel must not be dropped.
  EXPECT_EQ(Stretch(Grey(7, 1, {0, 0, 0, 0, 0, 0, 255}), 3, 1).pixels[6], 85);
}

TEST(Stretch, EnlargingRepeatsPixelsAndMixedAxesWork) {
  Image rgb{2, 1, PixelFormat::Rgb24, {1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(Stretch(rgb, 4, 1).pixels, (std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 4, 5, 6, 4, 5, 6}));
  // Wider and lower at once: each output pixel is one column of two rows averaged.
  EXPECT_EQ(Stretch(Grey(1, 2, {10, 20}), 3, 1).pixels, (std::vector<uint8_t>(9, 15)));
  EXPECT_THROW(Stretch(Image{}, 1, 1), CodecError);
  EXPECT_THROW(Stretch(Grey(1, 1, {0}), 20000, 20000), CodecError);
}

}  // namespace
}  // namespace vemora::codec
