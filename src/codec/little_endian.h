// Writing little-endian integers into a byte buffer, as the bitmap header and the TIFF
// tags we build both need.
#pragma once

#include <cstdint>

namespace vemora::codec {

inline void Put16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

inline void Put32(uint8_t* at, uint32_t value) {
  Put16(at, value);
  Put16(at + 2, value >> 16);
}

}  // namespace vemora::codec
