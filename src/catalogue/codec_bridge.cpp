#include "catalogue/codec_bridge.h"

#include "codec/convert.h"
#include "codec/preview.h"

namespace vemora {

std::string MakePreviewBytes(std::string_view imageBytes) {
  return codec::MakePreviewJpeg(imageBytes);
}

void ConvertStoredImage(int targetCode, std::string_view source, std::string& destination) {
  codec::ConvertImageStream(targetCode, source, destination);
}

}  // namespace vemora
