#include "codec/decode.h"

#include <string>

#include "codec/image_format.h"

namespace vemora::codec {
namespace {

const ImageFormat& Known(ImageKind kind) {
  const ImageFormat* format = FormatOf(kind);
  if (format == nullptr) throw CodecError("unknown image format");
  return *format;
}

}  // namespace

Image DecodeImage(std::span<const uint8_t> bytes, ImageKind kind) {
  return Known(kind).decode(bytes);
}

Image DecodeImage(std::span<const uint8_t> bytes) {
  return DecodeImage(bytes, SniffImageKind(bytes));
}

ImageInfo ReadImageInfo(std::span<const uint8_t> bytes, ImageKind kind) {
  return Known(kind).readInfo(bytes);
}

ImageInfo ReadImageInfo(std::span<const uint8_t> bytes) {
  return ReadImageInfo(bytes, SniffImageKind(bytes));
}

}  // namespace vemora::codec
