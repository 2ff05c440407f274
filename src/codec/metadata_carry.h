// Encoding a picture that came from other bytes, keeping the source's camera data where the
// target format can carry it: a JPEG source's Exif, XMP, IPTC and ICC go into a JPEG as
// their segments and into a TIFF as tags, with the Exif size set to the picture's. BMP
// carries nothing, and other sources have nothing we carry.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "codec/image.h"
#include "codec/image_kind.h"

namespace vemora::codec {

std::vector<uint8_t> EncodeKeepingMetadata(const Image& image, ImageKind targetKind,
                                           std::span<const uint8_t> source, ImageKind sourceKind);

}  // namespace vemora::codec
