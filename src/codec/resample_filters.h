// The resampling filters: their names as the scaling dialog lists them, and their kernels.
//
// The order is the dialog's list order, so a filter's index is its code. Each kernel is the
// classic one, centred on 0, zero outside [-support, support]; the resampler widens it by the
// reduction factor when shrinking.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vemora::codec {

enum class ResampleFilter : uint8_t { Triangle, Hermite, Bell, BSpline, Lanczos3, Mitchell };

inline constexpr std::array<std::string_view, 6> kResampleFilterNames = {
    "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell"};

inline constexpr std::string_view ResampleFilterName(ResampleFilter filter) {
  return kResampleFilterNames[static_cast<size_t>(filter)];
}

// By the dialog's name, ignoring case ("lanczos3" works on the command line too).
std::optional<ResampleFilter> ResampleFilterFromName(std::string_view name);

// Half-width of the kernel in source pixels at scale 1.
double FilterSupport(ResampleFilter filter);

// The kernel's value at distance x from the centre.
double FilterWeight(ResampleFilter filter, double x);

}  // namespace vemora::codec
