#include "settings/color.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "settings/ini_file.h"
#include "settings/settings_errors.h"

namespace vemora {
namespace {

constexpr std::array<ColorIdentifier, 51> kStandardColors = {{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

// Parses all of `digits` in `base`; false on any other character, no digit or overflow.
bool ParseUnsigned(std::string_view digits, int base, uint64_t& value) {
  if (digits.empty()) return false;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

std::span<const ColorIdentifier> StandardColors() { return kStandardColors; }

std::optional<std::string_view> ColorToIdent(TColor color) {
  for (const ColorIdentifier& entry : kStandardColors) {
    if (entry.value == color) return entry.name;
  }
  return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view identifier) {
  for (const ColorIdentifier& entry : kStandardColors) {
    if (EqualsIgnoringAsciiCase(entry.name, identifier)) return entry.value;
  }
  return std::nullopt;
}

std::string ColorToString(TColor color) {
  if (const auto identifier = ColorToIdent(color)) return std::string(*identifier);
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

TColor StringToColor(std::string_view text) {
  if (const auto color = IdentToColor(text)) return *color;

  std::string_view digits = text;
  int base = 10;
  bool negative = false;
  if (digits.starts_with('$')) {
    digits.remove_prefix(1);
    base = 16;
  } else if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  } else if (digits.starts_with('-') || digits.starts_with('+')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  uint64_t value = 0;
  const uint64_t limit = negative ? 0x80000000u : 0xFFFFFFFFu;
  if (!ParseUnsigned(digits, base, value) || value > limit) {
    throw ConversionError("'" + std::string(text) + "' is not a valid colour value");
  }
  return negative ? static_cast<TColor>(0u - static_cast<uint32_t>(value))
                  : static_cast<TColor>(value);
}

}  // namespace vemora
