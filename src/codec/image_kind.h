// Which codec a run of bytes belongs to.
//
// The catalogue decides by the first byte alone: "B" is a bitmap, "I" a TIFF and 0xFF a
// JPEG; anything else, a big-endian "MM" TIFF included, is no picture it shows. The grid
// cells and the command-line tool look further into the content, so they also know icons,
// GIFs and "MM" TIFFs. Both are pure functions of the bytes, answered from the one table
// of formats (codec/image_format.h).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vemora::codec {

enum class ImageKind : uint8_t { Unknown, Bmp, Tiff, Jpeg, Icon, Gif };

// The catalogue's rule: the first byte only. Empty bytes are Unknown.
ImageKind CatalogueImageKind(std::span<const uint8_t> bytes);

// Looks at the signatures: "BM"/OS/2 bitmaps, "II*\0"/"MM\0*" TIFF (and BigTIFF), FF D8 JPEG,
// "GIF8", and the icon directory header (reserved 0, type 1, at least one entry).
ImageKind SniffImageKind(std::span<const uint8_t> bytes);

// A short English name for messages: "BMP", "TIFF", "JPEG", "icon", "GIF", "unknown".
std::string_view ImageKindName(ImageKind kind);

// A view of text that holds bytes (one byte per character) as the codec's byte span.
inline std::span<const uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace vemora::codec
