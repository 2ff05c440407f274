#include "ui/picture.h"

#include "codec/decode.h"
#include "codec/icon.h"
#include "codec/image_kind.h"

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

QImage GridCellPicture(std::string_view bytes) {
  if (bytes.empty() || bytes.front() != '\0') return PictureFromBytes(bytes);
  try {
    return ToQImage(codec::DecodeIcon(codec::AsBytes(bytes)));
  } catch (const codec::CodecError&) {
    return {};
  }
}

}  // namespace vemora::ui
