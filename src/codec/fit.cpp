#include "codec/fit.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vemora::codec {
namespace {

// Nearest integer, halves to the even neighbour, whatever the floating-point environment.
int64_t RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  auto result = static_cast<int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

// A side never rounds down to nothing: a sliver of a picture stays one pixel thick.
int32_t ToSize(double value) {
  return static_cast<int32_t>(std::clamp<int64_t>(RoundHalfEven(value), 1, INT32_MAX));
}

}  // namespace

std::optional<FitSize> ComputeFit(int32_t width, int32_t height, int32_t maxWidth,
                                  int32_t maxHeight, bool interpolate) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const double ratio = static_cast<double>(width) / height;
  if (RoundHalfEven(ratio) == 0) return std::nullopt;
  const bool wide = width > maxWidth;
  const bool high = height > maxHeight;
  if (!wide && !high) {
    if (!interpolate) return std::nullopt;
    return FitSize{width, height};
  }
  if (wide && !high) return FitSize{maxWidth, ToSize(maxWidth / ratio)};
  if (high && !wide) return FitSize{ToSize(maxHeight * ratio), maxHeight};
  const int32_t byWidth = ToSize(maxWidth / ratio);
  if (byWidth < maxHeight) return FitSize{maxWidth, byWidth};
  return FitSize{ToSize(maxHeight * ratio), maxHeight};
}

bool ComputeFit(ResampleParameters& parameters, const Image& image, int32_t maxWidth,
                int32_t maxHeight) {
  if (image.empty()) return false;
  const std::optional<FitSize> fit =
      ComputeFit(image.width, image.height, maxWidth, maxHeight, parameters.interpolate);
  if (!fit) return false;
  parameters.targetWidth = fit->width;
  parameters.targetHeight = fit->height;
  return true;
}

}  // namespace vemora::codec
