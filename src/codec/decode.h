// One entry to every decoder: pick the codec for a run of bytes and decode it.
//
// DecodeImage(bytes, kind) uses the kind the caller decided (the catalogue passes
// CatalogueImageKind); the overload without a kind looks at the content (SniffImageKind),
// which is what grid cells and the command-line tool want. The caller owns the bytes.
// Files: codec/image_file.h.
#pragma once

#include <cstdint>
#include <span>

#include "codec/image.h"
#include "codec/image_kind.h"

namespace vemora::codec {

// Throws CodecError for ImageKind::Unknown and for damaged data.
Image DecodeImage(std::span<const uint8_t> bytes, ImageKind kind);
Image DecodeImage(std::span<const uint8_t> bytes);

// Width, height and stored bits per pixel without decoding the pixels (icons and GIFs are
// decoded, their formats being small). Throws CodecError for an unknown kind.
ImageInfo ReadImageInfo(std::span<const uint8_t> bytes, ImageKind kind);
ImageInfo ReadImageInfo(std::span<const uint8_t> bytes);

}  // namespace vemora::codec
