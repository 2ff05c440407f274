// tEndInd: a byte buffer plus its byte order, and bounded readers of 16- and 32-bit values.
//
// The directory readers address everything by byte position inside the buffer. Positions come
// from the file, so any of them may be negative or past the end: such bytes read as zero and
// copies are cut at the buffer's ends. Nothing here ever reads outside the buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora::metadata {

// Element size in bytes of each directory value format (index = format code, 0..13).
inline constexpr int kFormatSizes[14] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 0};

inline int FormatSize(int format) { return format >= 0 && format < 14 ? kFormatSizes[format] : 0; }

class tEndInd {
 public:
  std::string llData;          // the buffer
  bool MotorolaOrder = false;  // big-endian when true

  std::uint8_t Byte(std::int64_t pos) const {
    return pos >= 0 && pos < Length() ? static_cast<std::uint8_t>(llData[pos]) : 0;
  }
  std::uint16_t Get16u(std::int64_t pos) const;
  std::uint32_t Get32u(std::int64_t pos) const;
  // Up to `count` bytes from `pos`, cut at both ends of the buffer.
  std::string_view Copy(std::int64_t pos, std::int64_t count) const;
  std::int64_t Length() const { return static_cast<std::int64_t>(llData.size()); }
};

// Readers over an arbitrary byte view, for values that were already copied out of a buffer.
std::uint16_t Read16(std::string_view bytes, std::size_t pos, bool motorola);
std::uint32_t Read32(std::string_view bytes, std::size_t pos, bool motorola);

}  // namespace vemora::metadata
