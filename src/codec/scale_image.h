// Scaling one picture's bytes to fit inside a width and height limit: the catalogue's
// scaling run and the command line's "scale" share it.
//
// The fit is decided on the picture's own size (a JPEG's from its header alone). A JPEG
// well larger than the target decodes at a reduced DCT scale first: the DCT reduction is a
// clean low-pass of its own and the filter does the rest, where its shape shows. Only the
// halving scales (1/2, 1/4, 1/8) have SIMD code in libjpeg-turbo, and the decoded picture
// stays at least 1.25 times the target. The result keeps a JPEG source's metadata.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "codec/colour_reduction.h"
#include "codec/fit.h"
#include "codec/image_kind.h"
#include "codec/resample_filters.h"

namespace vemora::codec {

struct ScaleSettings {
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  bool interpolate = false;
  ResampleFilter filter = ResampleFilter::Triangle;
  // Applied with interpolation when the picture's own format differs.
  ColourFormat colours = ColourFormat::TrueColour;
  bool fullDecode = false;  // no reduced DCT decode
};

// The picture's size and whether (and to what) it is resampled; throws CodecError.
struct ScalePlan {
  int32_t width = 0;
  int32_t height = 0;
  std::optional<FitSize> fit;
};
ScalePlan PlanScale(std::span<const uint8_t> bytes, ImageKind kind, const ScaleSettings& settings);

// The picture resampled and encoded as targetKind, or nothing when the fit leaves it as it
// is. Throws CodecError for damaged bytes.
std::optional<std::vector<uint8_t>> ScaleImageBytes(std::span<const uint8_t> bytes, ImageKind kind,
                                                    ImageKind targetKind,
                                                    const ScaleSettings& settings);

// The same for a picture that is to be encoded even when the fit leaves its size (the
// command line writes another format): nothing only when no fit and targetKind == kind.
std::optional<std::vector<uint8_t>> ScaleOrConvertImageBytes(std::span<const uint8_t> bytes,
                                                             ImageKind kind, ImageKind targetKind,
                                                             const ScaleSettings& settings);

}  // namespace vemora::codec
