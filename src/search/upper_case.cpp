#include "search/upper_case.h"

namespace vemora {
namespace {

char32_t UpperCodePoint(char32_t c) {
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A pairs an upper letter with the lower one after it; two runs start
    // the pair on an odd code point.
    const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (oddRun) return c % 2 == 0 ? c - 1 : c;
    return c % 2 == 1 ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? 0x3A3 : c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

}  // namespace

std::string UpperCase(std::string_view utf8) {
  std::string upper;
  AppendUpperCase(upper, utf8);
  return upper;
}

void AppendUpperCase(std::string& out, std::string_view utf8) {
  const size_t start = out.size();
  out += utf8;
  char* upper = out.data() + start;
  const size_t size = utf8.size();
  for (size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(upper[i]);
    if (byte < 0x80) {
      if (byte >= 'a' && byte <= 'z') upper[i] = static_cast<char>(byte - 0x20);
      continue;
    }
    // Every letter mapped here is two bytes long in UTF-8 and so is its upper case.
    if (byte < 0xC2 || byte > 0xDF || i + 1 >= size) continue;
    const auto next = static_cast<unsigned char>(upper[i + 1]);
    if ((next & 0xC0) != 0x80) continue;
    const char32_t code = (char32_t(byte & 0x1F) << 6) | (next & 0x3F);
    const char32_t mapped = UpperCodePoint(code);
    if (mapped != code) {
      upper[i] = static_cast<char>(0xC0 | (mapped >> 6));
      upper[i + 1] = static_cast<char>(0x80 | (mapped & 0x3F));
    }
    ++i;
  }
}

}  // namespace vemora
