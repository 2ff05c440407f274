#include "codec/image_kind.h"

namespace vemora::codec {

ImageKind CatalogueImageKind(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return ImageKind::Unknown;
  switch (bytes[0]) {
    case 'B':
      return ImageKind::Bmp;
    case 'I':
      return ImageKind::Tiff;
    case 0xFF:
      return ImageKind::Jpeg;
    default:
      return ImageKind::Unknown;
  }
}

ImageKind SniffImageKind(std::span<const uint8_t> bytes) {
  const auto starts = [&](std::initializer_list<uint8_t> prefix) {
    if (bytes.size() < prefix.size()) return false;
    size_t i = 0;
    for (uint8_t b : prefix) {
      if (bytes[i++] != b) return false;
    }
    return true;
  };
  if (starts({0xFF, 0xD8})) return ImageKind::Jpeg;
  if (starts({'I', 'I', 42, 0}) || starts({'M', 'M', 0, 42})) return ImageKind::Tiff;
  if (starts({'I', 'I', 43, 0}) || starts({'M', 'M', 0, 43})) return ImageKind::Tiff;  // BigTIFF
  if (starts({'G', 'I', 'F', '8'})) return ImageKind::Gif;
  // Windows bitmaps start "BM"; OS/2 bitmaps and bitmap arrays "BA", "CI", "CP", "IC", "PT"
  // are read by the bitmap decoder too where it can, and "B" is what the catalogue checks.
  if (starts({'B', 'M'}) || starts({'B', 'A'})) return ImageKind::Bmp;
  if (starts({0, 0, 1, 0}) && bytes.size() >= 6 && (bytes[4] | bytes[5]) != 0) {
    return ImageKind::Icon;
  }
  return ImageKind::Unknown;
}

std::string_view ImageKindName(ImageKind kind) {
  switch (kind) {
    case ImageKind::Bmp:
      return "BMP";
    case ImageKind::Tiff:
      return "TIFF";
    case ImageKind::Jpeg:
      return "JPEG";
    case ImageKind::Icon:
      return "icon";
    case ImageKind::Gif:
      return "GIF";
    case ImageKind::Unknown:
      break;
  }
  return "unknown";
}

}  // namespace vemora::codec
