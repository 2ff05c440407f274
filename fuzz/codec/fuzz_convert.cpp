// libFuzzer target: the catalogue's stream conversion with every target code (0 to 5, the
// last input byte picks one), which decodes by first byte and copies or re-encodes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  const int code = size > 0 ? data[size - 1] % 6 : 0;
  std::string destination;
  try {
    vemora::codec::ConvertImageStream(code, source, destination);
  } catch (const vemora::codec::CodecError&) {
  }
  return 0;
}
