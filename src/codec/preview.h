// The catalogue's preview: a picture 100 pixels high, its width in proportion, 24-bit
// colour, stored as JPEG.
//
// The kind of picture is decided by the first byte alone ("B" bitmap, "I" TIFF, 0xFF
// JPEG); other bytes get no preview. JPEGs are decoded at the smallest DCT scale that still
// yields 100 rows, so a 24-megapixel photo costs little more than its entropy decoding;
// the plain stretch then brings the picture to its final size.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codec/image.h"

namespace vemora::codec {

inline constexpr int32_t kPreviewHeight = 100;

// round(100 * width / height), halves to even; 100 when height / width is not a positive
// number; at least 1, since a picture cannot be narrower.
int32_t PreviewWidth(int32_t width, int32_t height);

// The preview picture (Rgb24), or an empty Image for an unrecognised first byte.
// Throws CodecError when a recognised picture cannot be decoded, or when its preview would
// be wider than a JPEG can be (a sliver of a picture), before stretching it.
Image MakePreview(std::span<const uint8_t> bytes);

// The preview as JPEG bytes (the library's default quality), or "" for an unrecognised
// first byte. Bytes are held one per character, as the catalogue holds them.
std::string MakePreviewJpeg(std::string_view bytes);

}  // namespace vemora::codec
