// Turning directory values into text: FormatNumber, the decoding strings and the helpers the
// formatting functions share. Pure functions over raw value bytes and a byte order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemora::metadata {

// Text of a value for `format` (1..13): at most the first 8 elements joined by ", "; integers
// decoded through `code` when `decode` is on; rationals as "%d/%d" plus their decoded text;
// FLOAT/DOUBLE as "-9999.99"; then `formatS` applied (see ApplyFormat).
std::string FormatNumber(std::string_view raw, int format, std::string_view code,
                         std::string_view formatS, bool motorola, bool decode = true);

// The text that `code` ("1:Normal,3:Rotated 180°,...") gives for `value`, or "" when absent.
std::string DecodeValue(std::string_view code, std::int64_t value);

// "%s" formats take the text; others ("F%0.1f", "%5.2f mm", "%d") take the number.
std::string ApplyFormat(std::string_view formatS, std::string_view text, double number);

// printf of one double (or, for a %d/%x conversion, its integer part) with a format taken
// from the tag tables; anything that is not a single numeric conversion is copied as text.
std::string FormatDouble(std::string_view format, double value);

// Element `index` of a value as a number (rationals as numerator / denominator).
double ElementValue(std::string_view raw, int format, std::size_t index, bool motorola);
std::size_t ElementCount(std::string_view raw, int format);
// All elements of an integer-format value, for layouts that pack many settings in one tag.
std::vector<std::int64_t> IntegerElements(std::string_view raw, int format, bool motorola);

inline constexpr std::size_t kPrintableLength = 50;
// At most kPrintableLength characters; control characters become ".".
std::string MakePrintable(std::string text);
std::string Trim(std::string_view text);
// Cut at the first zero byte.
std::string_view UntilZero(std::string_view text);
std::string ToUpper(std::string_view text);
// `text` itself when it is valid UTF-8, else `text` read as Latin-1 and converted.
std::string ToUtf8Text(std::string_view text);
// One code point (Latin-1 or UTF-16 unit) as UTF-8.
void AppendUtf8(std::string& out, unsigned code_point);

}  // namespace vemora::metadata
