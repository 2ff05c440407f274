// libFuzzer target: the whole preview path (catalogue kind, decode, stretch, JPEG encode),
// then the scaling path on the same picture: fit, filtered resample, colour reduction,
// encode. The last input byte picks the filter, the colour format and the target kind.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "codec/convert.h"
#include "codec/decode.h"
#include "codec/fit.h"
#include "codec/preview.h"
#include "codec/resample.h"

using namespace vemora::codec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  try {
    MakePreviewJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const CodecError&) {
  }
  const uint8_t choice = size > 0 ? data[size - 1] : 0;
  try {
    const Image image = DecodeImage(bytes);
    ResampleParameters parameters;
    parameters.interpolate = (choice & 1) != 0;
    parameters.filter = static_cast<ResampleFilter>((choice >> 1) % 6);
    parameters.colourFormat = static_cast<ColourFormat>((choice >> 4) % 6);
    parameters.changeColourFormat = parameters.interpolate;
    if (ComputeFit(parameters, image, 48, 32)) {
      const Image scaled = ResampleWith(image, parameters);
      const ImageKind targets[] = {ImageKind::Bmp, ImageKind::Jpeg, ImageKind::Tiff};
      EncodeImage(scaled, targets[choice % 3]);
    }
  } catch (const CodecError&) {
  }
  return 0;
}
