// One description per image format: everything the codec knows about a kind of picture in
// one row, so that kind, signature, decoder, header reader, encoder and file extension
// cannot drift apart the way parallel switches do.
//
// The rows are static; callers get const pointers into the table and own nothing.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "codec/image.h"
#include "codec/image_kind.h"

namespace vemora::codec {

struct ImageFormat {
  ImageKind kind;
  std::string_view name;  // for messages: "BMP", "TIFF", "JPEG", "icon", "GIF"
  // The first byte by which the catalogue knows this kind; 0 when it does not know it.
  uint8_t catalogueFirstByte;
  // The content signature (true when the bytes look like this format).
  bool (*sniff)(std::span<const uint8_t> bytes);
  Image (*decode)(std::span<const uint8_t> bytes);
  // Width, height and stored bits per pixel without the pixels where the format allows.
  ImageInfo (*readInfo)(std::span<const uint8_t> bytes);
  // nullptr for formats we only read.
  std::vector<uint8_t> (*encode)(const Image& image);
  // What a converted file's name ends with, as the export writes it; "" for read-only ones.
  std::string_view extension;
};

// The row of a kind; nullptr for ImageKind::Unknown.
const ImageFormat* FormatOf(ImageKind kind);

}  // namespace vemora::codec
