#include "codec/image_format.h"

#include <algorithm>
#include <initializer_list>

#include "codec/bmp.h"
#include "codec/gif.h"
#include "codec/icon.h"
#include "codec/jpeg.h"
#include "codec/tiff.h"

namespace vemora::codec {
namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool LooksLikeJpeg(std::span<const uint8_t> bytes) { return StartsWith(bytes, {0xFF, 0xD8}); }

// Classic and BigTIFF, in both byte orders.
bool LooksLikeTiff(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, {'I', 'I', 42, 0}) || StartsWith(bytes, {'M', 'M', 0, 42}) ||
         StartsWith(bytes, {'I', 'I', 43, 0}) || StartsWith(bytes, {'M', 'M', 0, 43});
}

bool LooksLikeGif(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, {'G', 'I', 'F', '8'});
}

// Windows bitmaps start "BM", OS/2 bitmap arrays "BA"; the bitmap decoder reads what it can.
bool LooksLikeBmp(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, {'B', 'M'}) || StartsWith(bytes, {'B', 'A'});
}

// The icon directory: reserved 0, type 1, at least one entry.
bool LooksLikeIcon(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, {0, 0, 1, 0}) && bytes.size() >= 6 && (bytes[4] | bytes[5]) != 0;
}

// Icons and GIFs are small: their header reader is the decoder.
template <Image (*Decode)(std::span<const uint8_t>)>
ImageInfo InfoByDecoding(std::span<const uint8_t> bytes) {
  const Image image = Decode(bytes);
  return {image.width, image.height, 8 * BytesPerPixel(image.format)};
}

Image DecodeJpegFull(std::span<const uint8_t> bytes) { return DecodeJpeg(bytes); }

// In the order SniffImageKind tries their signatures.
constexpr ImageFormat kFormats[] = {
    {ImageKind::Jpeg, "JPEG", 0xFF, LooksLikeJpeg, DecodeJpegFull, ReadJpegInfo, EncodeJpeg,
     ".JPG"},
    {ImageKind::Tiff, "TIFF", 'I', LooksLikeTiff, DecodeTiff, ReadTiffInfo, EncodeTiff, ".TIF"},
    {ImageKind::Gif, "GIF", 0, LooksLikeGif, DecodeGif, InfoByDecoding<DecodeGif>, nullptr, ""},
    {ImageKind::Bmp, "BMP", 'B', LooksLikeBmp, DecodeBmp, ReadBmpInfo, EncodeBmp, ".BMP"},
    {ImageKind::Icon, "icon", 0, LooksLikeIcon, DecodeIcon, InfoByDecoding<DecodeIcon>, nullptr,
     ""},
};

}  // namespace

const ImageFormat* FormatOf(ImageKind kind) {
  for (const ImageFormat& format : kFormats) {
    if (format.kind == kind) return &format;
  }
  return nullptr;
}

ImageKind CatalogueImageKind(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return ImageKind::Unknown;
  for (const ImageFormat& format : kFormats) {
    if (format.catalogueFirstByte != 0 && format.catalogueFirstByte == bytes[0]) return format.kind;
  }
  return ImageKind::Unknown;
}

ImageKind SniffImageKind(std::span<const uint8_t> bytes) {
  for (const ImageFormat& format : kFormats) {
    if (format.sniff(bytes)) return format.kind;
  }
  return ImageKind::Unknown;
}

std::string_view ImageKindName(ImageKind kind) {
  const ImageFormat* format = FormatOf(kind);
  return format != nullptr ? format->name : "unknown";
}

}  // namespace vemora::codec
