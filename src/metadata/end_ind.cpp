#include "metadata/end_ind.h"

namespace vemora::metadata {

std::uint16_t Read16(std::string_view bytes, std::size_t pos, bool motorola) {
  if (pos + 2 > bytes.size() || pos + 2 < pos) return 0;
  const auto b0 = static_cast<std::uint8_t>(bytes[pos]);
  const auto b1 = static_cast<std::uint8_t>(bytes[pos + 1]);
  return static_cast<std::uint16_t>(motorola ? (b0 << 8) | b1 : (b1 << 8) | b0);
}

std::uint32_t Read32(std::string_view bytes, std::size_t pos, bool motorola) {
  if (pos + 4 > bytes.size() || pos + 4 < pos) return 0;
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[pos + (motorola ? i : 3 - i)]);
    value = (value << 8) | b;
  }
  return value;
}

std::uint16_t tEndInd::Get16u(std::int64_t pos) const {
  if (pos < 0 || pos + 2 > Length()) return 0;
  return Read16(llData, static_cast<std::size_t>(pos), MotorolaOrder);
}

std::uint32_t tEndInd::Get32u(std::int64_t pos) const {
  if (pos < 0 || pos + 4 > Length()) return 0;
  return Read32(llData, static_cast<std::size_t>(pos), MotorolaOrder);
}

std::string_view tEndInd::Copy(std::int64_t pos, std::int64_t count) const {
  std::int64_t end = pos + count;
  if (count <= 0 || end <= 0 || pos >= Length()) return {};
  if (pos < 0) pos = 0;
  if (end > Length()) end = Length();
  return std::string_view(llData).substr(static_cast<std::size_t>(pos),
                                         static_cast<std::size_t>(end - pos));
}

}  // namespace vemora::metadata
