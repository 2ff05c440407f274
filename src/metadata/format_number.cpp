#include "metadata/format_number.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "metadata/end_ind.h"

namespace vemora::metadata {
namespace {

constexpr std::size_t kMaxElements = 8;

bool IsIntegerFormat(int format) {
  return format == 1 || format == 3 || format == 4 || format == 6 || format == 8 || format == 9;
}

std::int64_t IntegerAt(std::string_view raw, int format, std::size_t index, bool motorola) {
  const std::size_t size = static_cast<std::size_t>(FormatSize(format));
  const std::size_t pos = index * size;
  switch (format) {
    case 1:
    case 7:
      return pos < raw.size() ? static_cast<std::uint8_t>(raw[pos]) : 0;
    case 6:
      return pos < raw.size() ? static_cast<std::int8_t>(raw[pos]) : 0;
    case 3:
      return Read16(raw, pos, motorola);
    case 8:
      return static_cast<std::int16_t>(Read16(raw, pos, motorola));
    case 4:
      return Read32(raw, pos, motorola);
    case 9:
      return static_cast<std::int32_t>(Read32(raw, pos, motorola));
    default:
      return 0;
  }
}

void RationalAt(std::string_view raw, int format, std::size_t index, bool motorola,
                std::int64_t& numerator, std::int64_t& denominator) {
  const std::size_t pos = index * 8;
  const std::uint32_t n = Read32(raw, pos, motorola);
  const std::uint32_t d = Read32(raw, pos + 4, motorola);
  if (format == 10) {
    numerator = static_cast<std::int32_t>(n);
    denominator = static_cast<std::int32_t>(d);
  } else {
    numerator = n;
    denominator = d;
  }
}

// "%W.Pf" without flags, which is all the tables use, without printf's cost; the digits are
// the same (both round the exact binary value). False when the conversion needs printf.
bool AppendFixed(std::string& out, std::string_view conversion, double value) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) return false;
  int width = 0, precision = 6;
  std::size_t i = 0;
  for (; i < conversion.size() && conversion[i] >= '0' && conversion[i] <= '9'; ++i) {
    if (i == 0 && conversion[i] == '0') return false;  // zero padding: leave it to printf
    width = width * 10 + (conversion[i] - '0');
  }
  if (i < conversion.size()) {
    if (conversion[i] != '.') return false;
    precision = 0;
    for (++i; i < conversion.size(); ++i) {
      if (conversion[i] < '0' || conversion[i] > '9') return false;
      precision = precision * 10 + (conversion[i] - '0');
    }
  }
  char digits[64];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
  if (written.ec != std::errc()) return false;
  const auto length = static_cast<int>(written.ptr - digits);
  if (width > length) out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(digits, written.ptr);
  return true;
}

void AppendNumber(std::string& out, std::int64_t value) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, written.ptr);
}

}  // namespace

std::size_t ElementCount(std::string_view raw, int format) {
  const int size = FormatSize(format);
  return size == 0 ? 0 : raw.size() / static_cast<std::size_t>(size);
}

double ElementValue(std::string_view raw, int format, std::size_t index, bool motorola) {
  if (format == 5 || format == 10) {
    std::int64_t n = 0, d = 0;
    RationalAt(raw, format, index, motorola, n, d);
    return d == 0 ? 0.0 : static_cast<double>(n) / static_cast<double>(d);
  }
  if (format == 11) {
    const std::uint32_t bits = Read32(raw, index * 4, motorola);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? value : 0.0;
  }
  if (format == 12) {
    const std::uint64_t high = Read32(raw, index * 8 + (motorola ? 0 : 4), motorola);
    const std::uint64_t low = Read32(raw, index * 8 + (motorola ? 4 : 0), motorola);
    const std::uint64_t bits = (high << 32) | low;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? value : 0.0;
  }
  return static_cast<double>(IntegerAt(raw, format, index, motorola));
}

std::vector<std::int64_t> IntegerElements(std::string_view raw, int format, bool motorola) {
  std::vector<std::int64_t> values;
  const std::size_t count = ElementCount(raw, format);
  values.reserve(count);
  for (std::size_t i = 0; i < count; ++i) values.push_back(IntegerAt(raw, format, i, motorola));
  return values;
}

std::string DecodeValue(std::string_view code, std::int64_t value) {
  // Same result as searching ",<value>:" in "," + code + ",": the first pair whose number is
  // written exactly as the value, its text up to the next comma. Walked in place because this
  // runs for every decoded value of every file.
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  const std::string_view number(digits, static_cast<std::size_t>(written.ptr - digits));
  std::size_t start = 0;
  while (start <= code.size()) {
    if (code.compare(start, number.size(), number) == 0 && start + number.size() < code.size() &&
        code[start + number.size()] == ':') {
      const std::size_t text = start + number.size() + 1;
      const std::size_t end = code.find(',', text);
      return std::string(code.substr(text, end == std::string_view::npos ? end : end - text));
    }
    const std::size_t comma = code.find(',', start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return {};
}

std::string FormatDouble(std::string_view format, double value) {
  const std::size_t percent = format.find('%');
  if (percent == std::string_view::npos) return std::string(format);
  std::size_t i = percent + 1;
  while (i < format.size() && std::strchr("-+ 0#", format[i]) != nullptr) ++i;
  while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) ++i;
  if (i < format.size() && format[i] == '.') {
    ++i;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) ++i;
  }
  if (i >= format.size() || i - percent > 8) return std::string(format);
  const char conversion = format[i];
  std::string result(format.substr(0, percent));
  if (conversion == 'f' &&
      AppendFixed(result, format.substr(percent + 1, i - percent - 1), value)) {
    result += format.substr(i + 1);
    return result;
  }
  // The directive is rebuilt from checked characters only, so the table text can never
  // smuggle a second conversion into snprintf.
  const std::string directive(format.substr(percent, i - percent + 1));
  char buffer[128];
  int written;
  if (conversion == 'f' || conversion == 'e' || conversion == 'g') {
    written = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
  } else if (conversion == 'd' || conversion == 'x' || conversion == 'X') {
    const double clamped =
        std::isfinite(value) ? std::fmax(-2147483648.0, std::fmin(value, 2147483647.0)) : 0.0;
    written = std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<int>(clamped));
  } else {
    return std::string(format);
  }
  if (written > 0)
    result.append(buffer,
                  std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1));
  result += format.substr(i + 1);
  return result;
}

std::string ApplyFormat(std::string_view formatS, std::string_view text, double number) {
  const std::size_t s = formatS.find("%s");
  if (s != std::string_view::npos) {
    std::string result(formatS.substr(0, s));
    result += text;
    result += formatS.substr(s + 2);
    return result;
  }
  return FormatDouble(formatS, number);
}

std::string FormatNumber(std::string_view raw, int format, std::string_view code,
                         std::string_view formatS, bool motorola, bool decode) {
  const int size = FormatSize(format);
  if (size == 0) return "0";
  const std::size_t count = std::min(ElementCount(raw, format), kMaxElements);
  std::string text;
  text.reserve(count * 12);  // one allocation for the usual lengths
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += ", ";
    if (IsIntegerFormat(format)) {
      const std::int64_t value = IntegerAt(raw, format, i, motorola);
      if (!code.empty() && decode) {
        text += DecodeValue(code, value);
      } else {
        AppendNumber(text, value);
      }
    } else if (format == 5 || format == 10) {
      std::int64_t n = 0, d = 0;
      RationalAt(raw, format, i, motorola, n, d);
      AppendNumber(text, n);
      text += '/';
      AppendNumber(text, d);
      if (!code.empty() && decode && d != 0) text += DecodeValue(code, n / d);
    } else if (format == 11 || format == 12) {
      text += "-9999.99";
    } else {
      text += '?';
    }
  }
  if (!formatS.empty()) return ApplyFormat(formatS, text, ElementValue(raw, format, 0, motorola));
  return text;
}

std::string MakePrintable(std::string text) {
  if (text.size() > kPrintableLength) text.resize(kPrintableLength);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = '.';
  }
  return text;
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return std::string(text.substr(begin, end - begin));
}

std::string_view UntilZero(std::string_view text) {
  const std::size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

std::string ToUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::string ToUtf8Text(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80         ? 1
                               : (c >> 5) == 6  ? 2
                               : (c >> 4) == 14 ? 3
                               : (c >> 3) == 30 ? 4
                                                : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    }
    if (!valid) break;
    i += length;
  }
  if (i == text.size()) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char c : text) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

void AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | ((cp >> 12) & 0x0F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace vemora::metadata
