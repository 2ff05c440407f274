// The scaling run's fit computation: which pictures shrink, and to what size.
#include "codec/fit.h"

#include <gtest/gtest.h>

namespace vemora::codec {
namespace {

std::optional<FitSize> Fit(int32_t w, int32_t h, int32_t maxW, int32_t maxH, bool interpolate) {
  return ComputeFit(w, h, maxW, maxH, interpolate);
}

TEST(Fit, LargePicturesShrinkInsideTheLimitsKeepingTheirShape) {
  EXPECT_EQ(Fit(4000, 3000, 800, 800, false), (FitSize{800, 600}));
  EXPECT_EQ(Fit(3000, 4000, 800, 800, false), (FitSize{600, 800}));
  // Only the width over: the width becomes the limit; only the height: the height does.
  EXPECT_EQ(Fit(1000, 500, 800, 600, false), (FitSize{800, 400}));
  EXPECT_EQ(Fit(700, 1000, 800, 600, false), (FitSize{420, 600}));
  // Both over: by width first; when that height still reaches the limit, by height.
  EXPECT_EQ(Fit(2000, 1000, 800, 700, false), (FitSize{800, 400}));
  EXPECT_EQ(Fit(1000, 900, 800, 700, false), (FitSize{778, 700}));
}

TEST(Fit, PicturesWithinTheLimitsAreResampledOnlyWhenInterpolating) {
  EXPECT_EQ(Fit(800, 600, 800, 800, false), std::nullopt);
  EXPECT_EQ(Fit(800, 600, 800, 800, true), (FitSize{800, 600}));
}

TEST(Fit, NarrowAndEmptyPicturesAreLeftAlone) {
  EXPECT_EQ(Fit(1000, 2500, 800, 800, true), std::nullopt);
  EXPECT_EQ(Fit(500, 1000, 100, 100, false), std::nullopt);  // ratio 0.5 rounds to even 0
  EXPECT_EQ(Fit(501, 1000, 100, 100, false), (FitSize{50, 100}));
  EXPECT_EQ(Fit(0, 100, 10, 10, true), std::nullopt);
  EXPECT_EQ(Fit(100, 0, 10, 10, true), std::nullopt);
}

TEST(Fit, HalvesRoundToTheEvenNeighbour) {
  EXPECT_EQ(Fit(2000, 5, 1000, 800, false), (FitSize{1000, 2}));  // 2.5
  EXPECT_EQ(Fit(2000, 10, 700, 800, false), (FitSize{700, 4}));   // 3.5
  EXPECT_EQ(Fit(100000, 1, 800, 800, false), (FitSize{800, 1}));  // never below one pixel
}

TEST(Fit, ParameterSetReceivesTheTargetSize) {
  ResampleParameters parameters;
  parameters.targetWidth = 800;
  parameters.targetHeight = 800;
  Image image{4000, 3000, PixelFormat::Rgb24, {}};
  EXPECT_TRUE(ComputeFit(parameters, image, 800, 800));
  EXPECT_EQ(parameters.targetWidth, 800);
  EXPECT_EQ(parameters.targetHeight, 600);
  EXPECT_FALSE(ComputeFit(parameters, Image{}, 800, 800));
}

}  // namespace
}  // namespace vemora::codec
