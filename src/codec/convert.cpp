#include "codec/convert.h"

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/jpeg.h"
#include "codec/metadata_carry.h"
#include "codec/tiff.h"

namespace vemora::codec {

std::vector<uint8_t> EncodeImage(const Image& image, ImageKind kind) {
  switch (kind) {
    case ImageKind::Bmp:
      return EncodeBmp(image);
    case ImageKind::Jpeg:
      return EncodeJpeg(image);
    case ImageKind::Tiff:
      return EncodeTiff(image);
    default:
      break;
  }
  throw CodecError("no encoder for " + std::string(ImageKindName(kind)) + " pictures");
}

std::vector<uint8_t> ConvertImage(std::span<const uint8_t> source, ImageKind sourceKind,
                                  ImageKind targetKind) {
  const Image image = DecodeImage(source, sourceKind);
  if (targetKind == sourceKind) return {source.begin(), source.end()};
  return EncodeKeepingMetadata(image, targetKind, source, sourceKind);
}

int ConvertImageStream(int targetCode, std::string_view source, std::string& destination) {
  const std::span<const uint8_t> bytes = AsBytes(source);
  const ImageKind sourceKind = CatalogueImageKind(bytes);
  if (sourceKind == ImageKind::Unknown) return 0;
  ImageKind targetKind = ImageKind::Unknown;
  switch (targetCode) {
    case kTargetUnchanged:
      targetKind = sourceKind;
      break;
    case kTargetBmp:
      targetKind = ImageKind::Bmp;
      break;
    case kTargetJpeg:
      targetKind = ImageKind::Jpeg;
      break;
    case kTargetTiff:
      targetKind = ImageKind::Tiff;
      break;
    default:
      // No cell of the table: the source is still decoded, the destination left alone.
      DecodeImage(bytes, sourceKind);
      return 0;
  }
  const std::vector<uint8_t> result = ConvertImage(bytes, sourceKind, targetKind);
  destination.assign(result.begin(), result.end());
  return 0;
}

}  // namespace vemora::codec
