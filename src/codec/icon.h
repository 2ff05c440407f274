// Windows icons (ICO): decode the best picture the file holds.
//
// The best entry is the largest, then the deepest. Classic entries (a BMP without its file
// header, colour image over an AND mask) and PNG-compressed entries (decoded through
// libpng) are both read. Transparent pixels come out white, as an icon looks on a plain
// page. The caller owns the bytes; the returned Image owns its pixels.
#pragma once

#include <cstdint>
#include <span>

#include "codec/image.h"

namespace vemora::codec {

// Throws CodecError on damaged or unsupported data.
Image DecodeIcon(std::span<const uint8_t> bytes);

}  // namespace vemora::codec
