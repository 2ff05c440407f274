// Filtered resampling, and the parameter set the scaling run hands to it.
//
// Resample is separable: one pass along rows, one along columns, in whichever order costs
// fewer multiplications. Each pass works out the weights of an output column or row, in
// 14-bit fixed point, as it computes it; shrinking widens the kernel by the reduction factor
// so that nothing aliases. The row pass runs as a column pass over the transposed picture,
// so both sweep contiguous bytes and vectorise. Large pictures are split over the cores.
//
// ResampleWith applies the interpolation switch: off is the plain stretch (Stretch); on is
// the filtered resample with the chosen filter, followed by the colour reduction when the
// parameter set asks for one. With the switch on, a resample to the picture's own size still
// filters and reduces.
#pragma once

#include <cstdint>

#include "codec/colour_reduction.h"
#include "codec/image.h"
#include "codec/resample_filters.h"

namespace vemora::codec {

struct ResampleParameters {
  int32_t targetWidth = 0;
  int32_t targetHeight = 0;
  bool interpolate = false;
  bool changeColourFormat = false;
  ColourFormat colourFormat = ColourFormat::TrueColour;
  ResampleFilter filter = ResampleFilter::Triangle;
};

// Same pixel format out as in. Throws CodecError for an empty source or a target size that
// is not positive or over kMaxPixels.
Image Resample(const Image& source, int32_t width, int32_t height, ResampleFilter filter);

Image ResampleWith(const Image& source, const ResampleParameters& parameters);

}  // namespace vemora::codec
