#include "codec/resample_filters.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace vemora::codec {
namespace {

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

// Mitchell and Netravali's cubic family; B = C = 1/3 is the one they recommend.
double MitchellNetravali(double x, double b, double c) {
  x = std::fabs(x);
  const double x2 = x * x;
  const double x3 = x2 * x;
  if (x < 1.0) return ((12 - 9 * b - 6 * c) * x3 + (-18 + 12 * b + 6 * c) * x2 + (6 - 2 * b)) / 6.0;
  if (x < 2.0)
    return ((-b - 6 * c) * x3 + (6 * b + 30 * c) * x2 + (-12 * b - 48 * c) * x + (8 * b + 24 * c)) /
           6.0;
  return 0.0;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::optional<ResampleFilter> ResampleFilterFromName(std::string_view name) {
  for (size_t i = 0; i < kResampleFilterNames.size(); ++i) {
    if (EqualIgnoringCase(name, kResampleFilterNames[i])) return static_cast<ResampleFilter>(i);
  }
  return std::nullopt;
}

double FilterSupport(ResampleFilter filter) {
  switch (filter) {
    case ResampleFilter::Triangle:
    case ResampleFilter::Hermite:
      return 1.0;
    case ResampleFilter::Bell:
      return 1.5;
    case ResampleFilter::BSpline:
    case ResampleFilter::Mitchell:
      return 2.0;
    case ResampleFilter::Lanczos3:
      return 3.0;
  }
  return 1.0;
}

double FilterWeight(ResampleFilter filter, double x) {
  x = std::fabs(x);
  switch (filter) {
    case ResampleFilter::Triangle:
      return x < 1.0 ? 1.0 - x : 0.0;
    case ResampleFilter::Hermite:
      return x < 1.0 ? (2.0 * x - 3.0) * x * x + 1.0 : 0.0;
    case ResampleFilter::Bell:
      if (x < 0.5) return 0.75 - x * x;
      if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
      return 0.0;
    case ResampleFilter::BSpline:
      if (x < 1.0) return 0.5 * x * x * x - x * x + 2.0 / 3.0;
      if (x < 2.0) return (2.0 - x) * (2.0 - x) * (2.0 - x) / 6.0;
      return 0.0;
    case ResampleFilter::Lanczos3:
      return x < 3.0 ? Sinc(x) * Sinc(x / 3.0) : 0.0;
    case ResampleFilter::Mitchell:
      return MitchellNetravali(x, 1.0 / 3.0, 1.0 / 3.0);
  }
  return 0.0;
}

}  // namespace vemora::codec
