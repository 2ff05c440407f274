// libFuzzer target: the TIFF decoder and header reader.
#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/tiff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  try {
    vemora::codec::ReadTiffInfo(bytes);
    vemora::codec::DecodeTiff(bytes);
  } catch (const vemora::codec::CodecError&) {
  }
  return 0;
}
