// libFuzzer target: the metadata reader's file path. The input is written to a file named
// .jpg and one named .tif, which are read with every option switched on, and asked the
// window's question (HasMetaData).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "metadata/img_data.h"

namespace {

std::string WriteInput(const std::uint8_t* data, std::size_t size, const char* extension) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("vemora-fuzz-" + std::to_string(::getpid()) + extension))
                               .string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) __builtin_trap();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const char* extension : {".jpg", ".tif"}) {
    const std::string path = WriteInput(data, size, extension);
    vemora::metadata::TimgData reader;
    reader.TraceLevel = 1;
    reader.Estimate35mm = true;
    reader.ProcessFile(path);
    vemora::metadata::HasMetaData(path);
    std::remove(path.c_str());
  }
  return 0;
}
