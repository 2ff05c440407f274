// libFuzzer entry for the icon decoder: any bytes must give a picture or a CodecError.
#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const vemora::codec::Image image = vemora::codec::DecodeIcon({data, size});
    if (image.pixels.size() != image.RowBytes() * static_cast<size_t>(image.height))
      __builtin_trap();
  } catch (const vemora::codec::CodecError&) {
  }
  return 0;
}
