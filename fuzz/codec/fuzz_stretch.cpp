// libFuzzer target: stretch, filtered resample and colour reduction on a picture made from
// the input. Six header bytes give the source and target sizes, the pixel format and the
// filter; the rest are pixels (a short picture is padded with zeros).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "codec/colour_reduction.h"
#include "codec/resample.h"
#include "codec/stretch.h"

using namespace vemora::codec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  Image source;
  source.width = 1 + data[0] % 64;
  source.height = 1 + data[1] % 64;
  source.format = (data[4] & 1) != 0 ? PixelFormat::Gray8 : PixelFormat::Rgb24;
  source.pixels.assign(source.RowBytes() * static_cast<size_t>(source.height), 0);
  std::copy_n(data + 6, std::min(size - 6, source.pixels.size()), source.pixels.begin());
  const int32_t width = 1 + data[2] % 200;
  const int32_t height = 1 + data[3] % 200;
  try {
    Stretch(source, width, height);
    const Image resampled =
        Resample(source, width, height, static_cast<ResampleFilter>((data[5] & 0x7F) % 6));
    ReduceColours(resampled, static_cast<ColourFormat>((data[4] >> 1) % 6));
  } catch (const CodecError&) {
  }
  return 0;
}
