#include "codec/convert.h"

#include "codec/decode.h"
#include "codec/image_format.h"
#include "codec/jpeg.h"
#include "codec/metadata_carry.h"
#include "codec/tiff.h"

namespace vemora::codec {

std::vector<uint8_t> EncodeImage(const Image& image, ImageKind kind) {
  const ImageFormat* format = FormatOf(kind);
  if (format == nullptr || format->encode == nullptr)
    throw CodecError("no encoder for " + std::string(ImageKindName(kind)) + " pictures");
  return format->encode(image);
}

std::vector<uint8_t> ConvertImage(std::span<const uint8_t> source, ImageKind sourceKind,
                                  ImageKind targetKind) {
  const Image image = DecodeImage(source, sourceKind);
  if (targetKind == sourceKind) return {source.begin(), source.end()};
  return EncodeKeepingMetadata(image, targetKind, source, sourceKind);
}

void ConvertStoredImage(std::optional<ImageKind> target, std::string_view source,
                        std::string& destination) {
  const std::span<const uint8_t> bytes = AsBytes(source);
  const ImageKind sourceKind = CatalogueImageKind(bytes);
  if (sourceKind == ImageKind::Unknown) return;
  const std::vector<uint8_t> result = ConvertImage(bytes, sourceKind, target.value_or(sourceKind));
  destination.assign(result.begin(), result.end());
}

int ConvertImageStream(int targetCode, std::string_view source, std::string& destination) {
  static constexpr ImageKind kTargets[] = {ImageKind::Bmp, ImageKind::Jpeg, ImageKind::Tiff};
  if (targetCode == 1) {
    ConvertStoredImage(std::nullopt, source, destination);
  } else if (targetCode >= 2 && targetCode <= 4) {
    ConvertStoredImage(kTargets[targetCode - 2], source, destination);
  } else {
    // No cell of the table: the source is still decoded, the destination left alone.
    const std::span<const uint8_t> bytes = AsBytes(source);
    const ImageKind sourceKind = CatalogueImageKind(bytes);
    if (sourceKind != ImageKind::Unknown) DecodeImage(bytes, sourceKind);
  }
  return 0;
}

}  // namespace vemora::codec
