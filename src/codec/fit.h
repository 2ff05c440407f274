// The scaling run's fit computation: whether a picture is resampled, and to what size.
//
// A picture larger than the limits shrinks to fit inside them with its aspect ratio kept;
// one within them keeps its size and is resampled only when interpolation is on (so the
// filter and colour settings still apply). Pictures at most half as wide as high are left
// alone. Sizes round to the nearest integer, halves to the even neighbour.
#pragma once

#include <cstdint>
#include <optional>

#include "codec/resample.h"

namespace vemora::codec {

struct FitSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const FitSize&) const = default;
};

// The target size, or nothing when the picture is not to be resampled.
std::optional<FitSize> ComputeFit(int32_t width, int32_t height, int32_t maxWidth,
                                  int32_t maxHeight, bool interpolate);

// The same on the run's parameter set: on true, targetWidth and targetHeight hold the size.
bool ComputeFit(ResampleParameters& parameters, const Image& image, int32_t maxWidth,
                int32_t maxHeight);

}  // namespace vemora::codec
