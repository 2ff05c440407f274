// libFuzzer entry for the BMP decoder: any bytes must give a picture or a CodecError.
#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const vemora::codec::Image image = vemora::codec::DecodeBmp({data, size});
    if (image.pixels.size() != image.RowBytes() * static_cast<size_t>(image.height))
      __builtin_trap();
  } catch (const vemora::codec::CodecError&) {
  }
  return 0;
}
