// Reading values that PostgreSQL sent in binary format, by the column's type oid. The
// catalogue uses integers, texts and bytea; booleans and floats are read too, so a host's
// own columns of those kinds work. Other types are refused with a TDBError naming the oid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora::gateways {

// Integers as they are, booleans as 1/0, floats truncated, decimal text parsed (0 when not a
// number, as the embedded engine does).
int64_t BinaryToInteger(std::string_view bytes, unsigned int typeOid);

// True for texts and bytea, whose binary form is their bytes as they are.
bool IsRawBytesType(unsigned int typeOid);
// int2, int4 or int8.
bool IsIntegerType(unsigned int typeOid);

// Texts and bytea as their bytes, numbers in decimal, booleans as "1"/"0".
std::string BinaryToText(std::string_view bytes, unsigned int typeOid);

}  // namespace vemora::gateways
