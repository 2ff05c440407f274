#include "catalogue/size_text.h"

namespace vemora {

std::string FileSizeText(uint64_t bytes) {
  const uint64_t kib = bytes / 1024;
  return std::to_string(kib == 0 ? 1 : kib) + " KByte";
}

uint64_t StoredSizeKiB(uint64_t bytes) {
  const uint64_t whole = bytes / 1024;
  const uint64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && whole % 2 == 1)) return whole + 1;
  return whole;
}

std::string RoundedSizeText(uint64_t bytes) {
  return std::to_string(StoredSizeKiB(bytes)) + " KByte";
}

std::string PixelSizeText(int32_t width, int32_t height, uint64_t storedKiB) {
  return std::to_string(width) + " x " + std::to_string(height) + " Pixel (" +
         std::to_string(storedKiB) + "KB)";
}

}  // namespace vemora
