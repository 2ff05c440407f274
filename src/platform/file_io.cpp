#include "platform/file_io.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vemora::platform {

std::string ReadWholeFile(const std::string& path) {
  // Sized up front and read in one go: image files are megabytes, and a string stream
  // would copy them twice more.
  std::error_code error;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in || !std::filesystem::is_regular_file(path, error))
    throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
  const std::streamoff size = in.tellg();
  std::string bytes(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  in.seekg(0);
  if (size < 0 || !in.read(bytes.data(), size))
    throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("Die Datei " + path + " kann nicht geschrieben werden.");
}

}  // namespace vemora::platform
