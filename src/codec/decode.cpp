#include "codec/decode.h"

#include <string>

#include "codec/bmp.h"
#include "codec/gif.h"
#include "codec/icon.h"
#include "codec/jpeg.h"
#include "codec/tiff.h"

namespace vemora::codec {

Image DecodeImage(std::span<const uint8_t> bytes, ImageKind kind) {
  switch (kind) {
    case ImageKind::Bmp:
      return DecodeBmp(bytes);
    case ImageKind::Tiff:
      return DecodeTiff(bytes);
    case ImageKind::Jpeg:
      return DecodeJpeg(bytes);
    case ImageKind::Icon:
      return DecodeIcon(bytes);
    case ImageKind::Gif:
      return DecodeGif(bytes);
    case ImageKind::Unknown:
      break;
  }
  throw CodecError("unknown image format");
}

Image DecodeImage(std::span<const uint8_t> bytes) {
  return DecodeImage(bytes, SniffImageKind(bytes));
}

ImageInfo ReadImageInfo(std::span<const uint8_t> bytes) {
  const ImageKind kind = SniffImageKind(bytes);
  switch (kind) {
    case ImageKind::Bmp:
      return ReadBmpInfo(bytes);
    case ImageKind::Tiff:
      return ReadTiffInfo(bytes);
    case ImageKind::Jpeg:
      return ReadJpegInfo(bytes);
    case ImageKind::Icon:
    case ImageKind::Gif: {
      const Image image = DecodeImage(bytes, kind);
      return {image.width, image.height, 8 * BytesPerPixel(image.format)};
    }
    case ImageKind::Unknown:
      break;
  }
  throw CodecError("unknown image format");
}

}  // namespace vemora::codec
