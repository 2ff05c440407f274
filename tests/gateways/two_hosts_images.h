// The images the two-hosts test adds: distinct byte strings that start like a JPEG, contain
// NULs and vary in size, so a row mixed up with another shows at once.
#pragma once

#include <string>

namespace vemora::testing {

inline std::string TwoHostsImageName(int host, int index) {
  return "host" + std::to_string(host) + "_" + std::to_string(index);
}

inline std::string TwoHostsImageBytes(int host, int index) {
  const size_t size = 2000 + static_cast<size_t>((index * 7919 + host * 104729) % 30000);
  std::string bytes(size, '\0');
  bytes[0] = static_cast<char>(0xFF);
  bytes[1] = static_cast<char>(0xD8);
  unsigned state = static_cast<unsigned>(host * 1000003 + index * 7907 + 1);
  for (size_t i = 2; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>((state >> 16) & 0xFF);
  }
  return bytes;
}

}  // namespace vemora::testing
