// libFuzzer target: the JPEG decoder, at full size and at the preview's reduced scale.
#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  for (int scale : {8, 1}) {
    try {
      vemora::codec::DecodeJpeg(bytes, {scale, scale < 8});
    } catch (const vemora::codec::CodecError&) {
    }
  }
  return 0;
}
