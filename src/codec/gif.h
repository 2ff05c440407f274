// GIF pictures: decode the first frame through giflib, straight from memory.
//
// The first frame is drawn onto the logical screen (background colour where the frame does
// not cover it; transparent pixels white). Interlaced frames come out in display order.
// The caller owns the bytes; the returned Image (Rgb24) owns its pixels.
#pragma once

#include <cstdint>
#include <span>

#include "codec/image.h"

namespace vemora::codec {

// Throws CodecError on damaged or unsupported data.
Image DecodeGif(std::span<const uint8_t> bytes);

}  // namespace vemora::codec
