#include "ui/picture.h"

#include "codec/decode.h"
#include "codec/icon.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"

namespace vemora::ui {

QImage ToQImage(const codec::Image& image) {
  if (image.empty()) return {};
  const QImage::Format format =
      image.format == codec::PixelFormat::Gray8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
  // The view borrows the pixels; copy() gives the QImage its own.
  return QImage(image.pixels.data(), image.width, image.height,
                static_cast<qsizetype>(image.RowBytes()), format)
      .copy();
}

QImage PictureFromBytes(std::string_view bytes) {
  const auto span = codec::AsBytes(bytes);
  const codec::ImageKind kind = codec::CatalogueImageKind(span);
  if (kind == codec::ImageKind::Unknown) return {};
  try {
    return ToQImage(codec::DecodeImage(span, kind));
  } catch (const codec::CodecError&) {
    return {};
  }
}

QImage PictureForDisplay(std::string_view bytes, int minHeight) {
  const auto span = codec::AsBytes(bytes);
  if (codec::CatalogueImageKind(span) != codec::ImageKind::Jpeg) return PictureFromBytes(bytes);
  try {
    codec::JpegDecodeOptions options;
    options.scaleNumerator = codec::JpegScaleForHeight(codec::ReadJpegInfo(span).height, minHeight);
    return ToQImage(codec::DecodeJpeg(span, options));
  } catch (const codec::CodecError&) {
    return {};
  }
}

QImage GridCellPicture(std::string_view bytes) {
  if (bytes.empty() || bytes.front() != '\0') return PictureFromBytes(bytes);
  try {
    return ToQImage(codec::DecodeIcon(codec::AsBytes(bytes)));
  } catch (const codec::CodecError&) {
    return {};
  }
}

}  // namespace vemora::ui
