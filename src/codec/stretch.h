// The plain stretch: resize without a filter.
//
// Enlarging repeats source pixels (nearest neighbour); shrinking averages the box of source
// pixels each output pixel covers, which costs about the same and keeps previews free of
// aliasing. The result is always Rgb24, whatever the source's format.
#pragma once

#include <cstdint>

#include "codec/image.h"

namespace vemora::codec {

// Throws CodecError when the source is empty or the target size is not positive or too large.
Image Stretch(const Image& source, int32_t width, int32_t height);

}  // namespace vemora::codec
