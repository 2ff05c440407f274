#include "platform/file_io.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vemora::platform {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  if (in) content << in.rdbuf();
  if (!in || in.bad())
    throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("Die Datei " + path + " kann nicht geschrieben werden.");
}

}  // namespace vemora::platform
