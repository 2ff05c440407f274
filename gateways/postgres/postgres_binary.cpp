#include "postgres/postgres_binary.h"

#include <bit>
#include <charconv>
#include <cstring>
#include <sstream>

#include "vemora/gateway.h"

namespace vemora::gateways {
namespace {

enum TypeOid : unsigned int {
  kBool = 16,
  kBytea = 17,
  kChar = 18,
  kName = 19,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kOid = 26,
  kFloat4 = 700,
  kFloat8 = 701,
  kUnknown = 705,
  kBpchar = 1042,
  kVarchar = 1043,
};

// Network byte order, as the server sends every binary number.
template <typename T>
T ReadBigEndian(std::string_view bytes) {
  if (bytes.size() != sizeof(T)) throw TDBError("PostgreSQL: malformed binary value");
  T value;
  std::memcpy(&value, bytes.data(), sizeof(T));
  if constexpr (std::endian::native == std::endian::little) {
    if constexpr (sizeof(T) == 2) value = static_cast<T>(__builtin_bswap16(value));
    if constexpr (sizeof(T) == 4) value = static_cast<T>(__builtin_bswap32(value));
    if constexpr (sizeof(T) == 8) value = static_cast<T>(__builtin_bswap64(value));
  }
  return value;
}

bool IsTextType(unsigned int type) {
  return type == kText || type == kVarchar || type == kBpchar || type == kName ||
         type == kUnknown || type == kChar;
}

double ReadFloat(std::string_view bytes, unsigned int type) {
  if (type == kFloat4) return std::bit_cast<float>(ReadBigEndian<uint32_t>(bytes));
  return std::bit_cast<double>(ReadBigEndian<uint64_t>(bytes));
}

[[noreturn]] void Unsupported(unsigned int type) {
  throw TDBError("PostgreSQL: cannot read a column of type oid " + std::to_string(type));
}

}  // namespace

bool IsRawBytesType(unsigned int type) { return IsTextType(type) || type == kBytea; }

int64_t BinaryToInteger(std::string_view bytes, unsigned int type) {
  switch (type) {
    case kInt2:
      return ReadBigEndian<int16_t>(bytes);
    case kInt4:
      return ReadBigEndian<int32_t>(bytes);
    case kInt8:
      return ReadBigEndian<int64_t>(bytes);
    case kOid:
      return ReadBigEndian<uint32_t>(bytes);
    case kBool:
      return !bytes.empty() && bytes[0] != 0 ? 1 : 0;
    case kFloat4:
    case kFloat8:
      return static_cast<int64_t>(ReadFloat(bytes, type));
    default:
      break;
  }
  if (!IsRawBytesType(type)) Unsupported(type);
  size_t start = 0;
  while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t')) ++start;
  if (start < bytes.size() && bytes[start] == '+') ++start;
  int64_t value = 0;
  std::from_chars(bytes.data() + start, bytes.data() + bytes.size(), value);
  return value;
}

bool IsIntegerType(unsigned int typeOid) {
  return typeOid == kInt2 || typeOid == kInt4 || typeOid == kInt8;
}

std::string BinaryToText(std::string_view bytes, unsigned int type) {
  if (IsRawBytesType(type)) return std::string(bytes);
  switch (type) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
    case kBool:
      return std::to_string(BinaryToInteger(bytes, type));
    case kFloat4:
    case kFloat8: {
      std::ostringstream text;
      text << ReadFloat(bytes, type);
      return text.str();
    }
    default:
      Unsupported(type);
  }
}

}  // namespace vemora::gateways
