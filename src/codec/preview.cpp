#include "codec/preview.h"

#include <algorithm>
#include <cmath>

#include "codec/decode.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "codec/stretch.h"

namespace vemora::codec {

int32_t PreviewWidth(int32_t width, int32_t height) {
  const double ratio = static_cast<double>(height) / static_cast<double>(width);
  if (!(ratio > 0) || !std::isfinite(ratio)) return kPreviewHeight;
  // nearbyint rounds halves to even in the default rounding mode.
  const double scaled = std::nearbyint(kPreviewHeight * static_cast<double>(width) / height);
  return static_cast<int32_t>(std::clamp(scaled, 1.0, 1e9));
}

namespace {

// The preview is stored as JPEG, whose sides stop at 65500 pixels: a sliver of a picture
// wider than that is refused before it is stretched, not after.
int32_t CheckedPreviewWidth(int32_t width, int32_t height) {
  const int32_t previewWidth = PreviewWidth(width, height);
  if (previewWidth > kMaxJpegSide) {
    throw CodecError("preview: a picture of " + std::to_string(width) + " x " +
                     std::to_string(height) + " pixels is too wide for a preview");
  }
  return previewWidth;
}

}  // namespace

Image MakePreview(std::span<const uint8_t> bytes) {
  const ImageKind kind = CatalogueImageKind(bytes);
  if (kind == ImageKind::Unknown) return {};
  if (kind != ImageKind::Jpeg) {
    const Image decoded = DecodeImage(bytes, kind);
    return Stretch(decoded, CheckedPreviewWidth(decoded.width, decoded.height), kPreviewHeight);
  }
  // The width follows the photo's own proportions, not those of the reduced decode,
  // whose sizes libjpeg rounds up.
  const ImageInfo info = ReadJpegInfo(bytes);
  JpegDecodeOptions options;
  options.scaleNumerator = JpegScaleForHeight(info.height, kPreviewHeight);
  // The stretch averages several decoded pixels into one, so the fast IDCT's small error
  // does not show.
  options.fast = options.scaleNumerator < 8;
  const int32_t width = CheckedPreviewWidth(info.width, info.height);
  const Image decoded = DecodeJpeg(bytes, options);
  return Stretch(decoded, width, kPreviewHeight);
}

std::string MakePreviewJpeg(std::string_view bytes) {
  const Image preview = MakePreview(AsBytes(bytes));
  if (preview.empty()) return {};
  const std::vector<uint8_t> jpeg = EncodeJpeg(preview);
  return std::string(jpeg.begin(), jpeg.end());
}

}  // namespace vemora::codec
