#include "codec/metadata_carry.h"

#include "codec/convert.h"
#include "codec/jpeg_metadata.h"
#include "codec/tiff_metadata.h"

namespace vemora::codec {

std::vector<uint8_t> EncodeKeepingMetadata(const Image& image, ImageKind targetKind,
                                           std::span<const uint8_t> source, ImageKind sourceKind) {
  std::vector<uint8_t> encoded = EncodeImage(image, targetKind);
  if (sourceKind != ImageKind::Jpeg) return encoded;
  const JpegMetadata metadata = ExtractJpegMetadata(source);
  if (metadata.empty()) return encoded;
  if (targetKind == ImageKind::Jpeg)
    return InsertJpegMetadata(encoded, metadata, image.width, image.height);
  if (targetKind == ImageKind::Tiff)
    return AddTiffMetadata(std::move(encoded), metadata, image.width, image.height);
  return encoded;
}

}  // namespace vemora::codec
