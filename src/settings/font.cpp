#include "settings/font.h"

#include <charconv>

#include "settings/settings_errors.h"

namespace vemora {
namespace {

constexpr std::string_view kInvalidFont = "Invalid string to font conversion";

int ParseSize(std::string_view text) {
  std::string_view digits = text;
  if (digits.starts_with('+')) digits.remove_prefix(1);
  int size = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), size);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
  }
  return size;
}

}  // namespace

std::string FontToString(const FontAttributes& font) {
  std::string text = font.face_name;
  text += ',';
  text += std::to_string(font.size);
  text += ',';
  for (const bool flag : {font.bold, font.italic, font.underline, font.strike_out}) {
    text += flag ? '1' : '0';
  }
  text += ',';
  text += ColorToString(font.color);
  return text;
}

FontAttributes StringToFont(std::string_view text) {
  FontAttributes font;
  const auto face_end = text.find(',');
  if (face_end == std::string_view::npos) throw ConversionError(std::string(kInvalidFont));
  font.face_name = text.substr(0, face_end);
  text.remove_prefix(face_end + 1);

  const auto size_end = text.find(',');
  if (size_end == std::string_view::npos) throw ConversionError(std::string(kInvalidFont));
  font.size = ParseSize(text.substr(0, size_end));
  text.remove_prefix(size_end + 1);

  if (text.find(',') != 4) throw ConversionError(std::string(kInvalidFont));
  font.bold = text[0] == '1';
  font.italic = text[1] == '1';
  font.underline = text[2] == '1';
  font.strike_out = text[3] == '1';
  font.color = StringToColor(text.substr(5));
  return font;
}

}  // namespace vemora
