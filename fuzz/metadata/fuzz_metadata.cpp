// libFuzzer target: the JPEG and the TIFF path of the metadata reader on arbitrary bytes,
// with every option that makes the reader do more work switched on.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "metadata/img_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vemora::metadata::TimgData reader;
  reader.TraceLevel = 1;
  reader.Estimate35mm = true;
  reader.ProcessBytes(bytes, vemora::metadata::TFileKind::kJpeg);
  reader.ProcessBytes(bytes, vemora::metadata::TFileKind::kTiff);
  return 0;
}
