// The scaling run's fit computation: which pictures shrink, and to what size.
#include "codec/fit.h"

#include <gtest/gtest.h>

namespace vemora::codec {
namespace {

TEST(Fit, WhichPicturesShrinkAndToWhatSize) {
  const struct {
    int32_t width, height, maxWidth, maxHeight;
    bool interpolate;
    std::optional<FitSize> expected;
  } cases[] = {
      {4000, 3000, 800, 800, false, FitSize{800, 600}},
      {1000, 500, 800, 600, false, FitSize{800, 400}},  // only the width over
      {700, 1000, 800, 600, false, FitSize{420, 600}},  // only the height over
      // Both over: by width first; when that height still reaches the limit, by height.
      {2000, 1000, 800, 700, false, FitSize{800, 400}},
      {1000, 900, 800, 700, false, FitSize{778, 700}},
      // Within the limits: resampled at its own size only when interpolating.
      {800, 600, 800, 800, false, std::nullopt},
      {800, 600, 800, 800, true, FitSize{800, 600}},
      // At most half as wide as high, or empty: left alone.
      {1000, 2500, 800, 800, true, std::nullopt},
      {500, 1000, 100, 100, false, std::nullopt},  // ratio 0.5 rounds to even 0
      {501, 1000, 100, 100, false, FitSize{50, 100}},
      {0, 100, 10, 10, true, std::nullopt},
      // Halves round to the even neighbour, but never below one pixel.
      {2000, 5, 1000, 800, false, FitSize{1000, 2}},  // 2.5
      {100000, 1, 800, 800, false, FitSize{800, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComputeFit(c.width, c.height, c.maxWidth, c.maxHeight, c.interpolate), c.expected)
        << c.width << "x" << c.height << " into " << c.maxWidth << "x" << c.maxHeight;
  }
}

TEST(Fit, ParameterSetReceivesTheTargetSize) {
  ResampleParameters parameters;
  EXPECT_TRUE(ComputeFit(parameters, Image{4000, 3000, PixelFormat::Rgb24, {}}, 800, 800));
  EXPECT_EQ(std::pair(parameters.targetWidth, parameters.targetHeight), std::pair(800, 600));
  EXPECT_FALSE(ComputeFit(parameters, Image{}, 800, 800));
}

}  // namespace
}  // namespace vemora::codec
