#include "settings/option_values.h"

#include "settings/ini_plus.h"
#include "settings/settings_errors.h"
#include "settings/settings_keys.h"

namespace vemora {
namespace {

struct CaptionKeys {
  std::string_view printed;
  std::string_view font;
  std::string_view alignment;
};

constexpr std::array<CaptionKeys, 4> kCaptionKeys = {{
    {kKeyCaptionLeft, kKeyCaptionFontLeft, kKeyCaptionAlignLeft},
    {kKeyCaptionRight, kKeyCaptionFontRight, kKeyCaptionAlignRight},
    {kKeyCaptionTop, kKeyCaptionFontTop, kKeyCaptionAlignTop},
    {kKeyCaptionBottom, kKeyCaptionFontBottom, kKeyCaptionAlignBottom},
}};

// Larger sizes cannot be meant; a font dialog or a printer would choke on them.
constexpr int kMaxCaptionPointSize = 500;

FontAttributes ReadCaptionFont(const TIniPlus& settings, std::string_view key) {
  FontAttributes font = DefaultCaptionFont();
  if (!settings.ReadFont(kSectionSettings, key, font) || font.size < 1 ||
      font.size > kMaxCaptionPointSize || font.face_name.empty()) {
    return DefaultCaptionFont();
  }
  return font;
}

}  // namespace

FontAttributes DefaultCaptionFont() {
  FontAttributes font;
  font.face_name = "DejaVu Sans";
  font.size = 10;
  font.color = clBlack;
  return font;
}

OptionValues DefaultOptionValues() {
  OptionValues values;
  for (CaptionOptions& caption : values.captions) {
    caption = {kDefaultCaptionPrinted, DefaultCaptionFont(), kDefaultCaptionAlign};
  }
  return values;
}

int32_t ReadIntegerInRange(const TIniPlus& settings, std::string_view section, std::string_view key,
                           int32_t minimum, int32_t maximum, int32_t defaultValue) {
  const int32_t value = settings.ReadInteger(section, key, defaultValue);
  return value < minimum || value > maximum ? defaultValue : value;
}

TColor ReadColorOrDefault(const TIniPlus& settings, std::string_view section, std::string_view key,
                          TColor defaultValue) {
  try {
    return settings.ReadColor(section, key, defaultValue);
  } catch (const ConversionError&) {
    return defaultValue;
  }
}

OptionValues ReadOptionValues(const TIniPlus& settings) {
  const auto in = kSectionSettings;
  OptionValues values;
  for (std::size_t side = 0; side < kCaptionKeys.size(); ++side) {
    const CaptionKeys& keys = kCaptionKeys[side];
    values.captions[side] = {
        settings.ReadBool(in, keys.printed, kDefaultCaptionPrinted),
        ReadCaptionFont(settings, keys.font),
        ReadIntegerInRange(settings, in, keys.alignment, 0, 2, kDefaultCaptionAlign)};
  }
  values.thumbsVisible = settings.ReadInteger(in, kKeyThumbsVisible, kDefaultThumbsVisible);
  // The window reads any value but 0 as "open"; the dialog only knows 0 and 1.
  if (values.thumbsVisible != 0) values.thumbsVisible = 1;
  values.thumbsSize = ReadIntegerInRange(settings, in, kKeyThumbsSize, kMinThumbsSize,
                                         kMaxThumbsSize, kDefaultThumbsSize);
  values.thumbsCaption = settings.ReadBool(in, kKeyThumbsCaption, kDefaultThumbsCaption);
  values.performance = ReadIntegerInRange(settings, in, kKeyPerformance, 0, 2, kDefaultPerformance);
  values.hideThumbs = settings.ReadBool(in, kKeyHideThumbs, kDefaultHideThumbs);
  values.gridStyle = ReadIntegerInRange(settings, in, kKeyGridStyle, 0, 2, kDefaultGridStyle);
  values.autoWidth = settings.ReadBool(in, kKeyAutoWidth, kDefaultAutoWidth);
  values.gridLines = ReadIntegerInRange(settings, in, kKeyGridLines, 0, 3, kDefaultGridLines);
  values.gridColor = ReadColorOrDefault(settings, in, kKeyGridColor, kDefaultGridColor);
  values.navigator = settings.ReadBool(in, kKeyNavigator, kDefaultNavigator);
  values.externalApp = settings.ReadString(in, kKeyExternalApp, kDefaultExternalApp);
  values.parameterDefault =
      settings.ReadBool(in, kKeyExternalAppParameterDefault, kDefaultExternalAppParameterDefault);
  values.parameter =
      settings.ReadString(in, kKeyExternalAppParameter, kDefaultExternalAppParameter);
  return values;
}

void WriteOptionValues(TIniPlus& settings, const OptionValues& values) {
  const auto in = kSectionSettings;
  for (std::size_t side = 0; side < kCaptionKeys.size(); ++side) {
    const CaptionKeys& keys = kCaptionKeys[side];
    const CaptionOptions& caption = values.captions[side];
    settings.WriteBool(in, keys.printed, caption.printed);
    settings.WriteFont(in, keys.font, caption.font);
    settings.WriteInteger(in, keys.alignment, caption.alignment);
  }
  settings.WriteInteger(in, kKeyThumbsVisible, values.thumbsVisible);
  settings.WriteInteger(in, kKeyThumbsSize, values.thumbsSize);
  settings.WriteBool(in, kKeyThumbsCaption, values.thumbsCaption);
  settings.WriteInteger(in, kKeyPerformance, values.performance);
  settings.WriteBool(in, kKeyHideThumbs, values.hideThumbs);
  settings.WriteInteger(in, kKeyGridStyle, values.gridStyle);
  settings.WriteBool(in, kKeyAutoWidth, values.autoWidth);
  settings.WriteInteger(in, kKeyGridLines, values.gridLines);
  settings.WriteColor(in, kKeyGridColor, values.gridColor);
  settings.WriteBool(in, kKeyNavigator, values.navigator);
  settings.WriteString(in, kKeyExternalApp, values.externalApp);
  settings.WriteBool(in, kKeyExternalAppParameterDefault, values.parameterDefault);
  settings.WriteString(in, kKeyExternalAppParameter, values.parameter);
}

void ResetOptionsPage(OptionValues& values, OptionsPage page) {
  const OptionValues defaults = DefaultOptionValues();
  switch (page) {
    case OptionsPage::kPrint: {
      const FontAttributes leftFont = values.captions[kSideLeft].font;
      for (CaptionOptions& caption : values.captions) {
        caption = {kDefaultCaptionPrinted, leftFont, kDefaultCaptionAlign};
      }
      break;
    }
    case OptionsPage::kThumbnails:
      values.thumbsVisible = defaults.thumbsVisible;
      values.thumbsSize = defaults.thumbsSize;
      values.thumbsCaption = defaults.thumbsCaption;
      break;
    case OptionsPage::kPerformance:
      values.performance = defaults.performance;
      values.hideThumbs = defaults.hideThumbs;
      break;
    case OptionsPage::kTable:
      values.gridStyle = defaults.gridStyle;
      values.gridLines = defaults.gridLines;
      values.gridColor = defaults.gridColor;
      values.navigator = defaults.navigator;
      break;
    case OptionsPage::kExternalApp:
      values.externalApp.clear();
      values.parameter.clear();
      values.parameterDefault = true;
      break;
  }
}

}  // namespace vemora
