#include "catalogue/stored_picture.h"

#include <exception>
#include <new>

#include "codec/decode.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"

namespace vemora {

std::string UnreadableImageText(std::string_view detail) {
  return "Das Bild konnte nicht gelesen werden: " + std::string(detail);
}

StoredPicture DecodeStoredPicture(std::string_view bytes, int32_t minHeight) noexcept {
  StoredPicture result;
  try {
    const auto span = codec::AsBytes(bytes);
    const codec::ImageKind kind = codec::CatalogueImageKind(span);
    if (kind == codec::ImageKind::Unknown) return result;
    if (kind == codec::ImageKind::Jpeg && minHeight > 0) {
      codec::JpegDecodeOptions options;
      options.scaleNumerator =
          codec::JpegScaleForHeight(codec::ReadJpegInfo(span).height, minHeight);
      result.image = codec::DecodeJpeg(span, options);
    } else {
      result.image = codec::DecodeImage(span, kind);
    }
  } catch (const std::bad_alloc&) {
    result = {};
    result.error = UnreadableImageText("zu wenig Speicher");
  } catch (const std::exception& error) {
    result = {};
    result.error = UnreadableImageText(error.what());
  }
  return result;
}

}  // namespace vemora
