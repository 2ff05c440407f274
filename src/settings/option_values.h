// OptionValues: every preference the options dialog edits, read from settings.ini [SETTINGS]
// in one go and written back in one go.
//
// Reading never fails and never trusts the file: a key that is missing, of the wrong type or
// out of its range gives that key's default, and every other key keeps its stored value. So
// a damaged settings.ini costs the user the damaged keys only. The dialog owns one of these
// while it is open; the window re-reads what it needs after the dialog closes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/color.h"
#include "settings/font.h"

namespace vemora {

class TIniPlus;

// The printed single image's caption on one side: whether it is printed, its font and its
// alignment (left/right sides: 0 top, 1 middle, 2 bottom; top/bottom: 0 left, 1 centre,
// 2 right).
struct CaptionOptions {
  bool printed = true;
  FontAttributes font;
  int32_t alignment = 1;

  bool operator==(const CaptionOptions&) const = default;
};

enum CaptionSide : int { kSideLeft = 0, kSideRight = 1, kSideTop = 2, kSideBottom = 3 };

struct OptionValues {
  std::array<CaptionOptions, 4> captions;  // by CaptionSide
  int32_t thumbsVisible = 0;               // 0 collapsed, 1 permanently open
  int32_t thumbsSize = 100;                // 10..200 pixels
  bool thumbsCaption = true;
  int32_t performance = 1;  // 0..2
  bool hideThumbs = false;
  int32_t gridStyle = 0;  // 0..2
  bool autoWidth = true;
  int32_t gridLines = 0;  // 0..3
  TColor gridColor = clBlack;
  bool navigator = true;
  std::string externalApp;
  bool parameterDefault = true;
  std::string parameter;

  bool operator==(const OptionValues&) const = default;
};

// The caption font the dialog starts with when settings.ini names none: a sans-serif face
// every Linux desktop has, with the glyphs German captions need.
FontAttributes DefaultCaptionFont();

// The defaults of every key, with DefaultCaptionFont on all four sides.
OptionValues DefaultOptionValues();

inline constexpr int32_t kMinThumbsSize = 10;
inline constexpr int32_t kMaxThumbsSize = 200;

// Reads every key; see the file comment for damaged values. A caption font that cannot be
// read, or whose size is not a sensible point size, stays DefaultCaptionFont.
OptionValues ReadOptionValues(const TIniPlus& settings);

// Writes all 25 keys, every page's, whether changed or not.
void WriteOptionValues(TIniPlus& settings, const OptionValues& values);

// The options dialog's pages, in the order of its navigation bar.
enum class OptionsPage : int { kPrint = 0, kThumbnails, kPerformance, kTable, kExternalApp };
inline constexpr int kOptionsPageCount = 5;

// "Zurücksetzen" of one page: that page's values go back to their defaults; the other pages'
// stay. On the print page all four fonts become the left caption's font, and the table
// page keeps "fit the width".
void ResetOptionsPage(OptionValues& values, OptionsPage page);

// An integer key within [minimum, maximum]; anything else gives the default.
int32_t ReadIntegerInRange(const TIniPlus& settings, std::string_view section, std::string_view key,
                           int32_t minimum, int32_t maximum, int32_t defaultValue);

// A colour key; a text that is not a colour gives the default instead of an error.
TColor ReadColorOrDefault(const TIniPlus& settings, std::string_view section, std::string_view key,
                          TColor defaultValue);

}  // namespace vemora
