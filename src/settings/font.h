// FontAttributes: the font values kept in the settings files, and their text form
// "face,size,BIUS,colour": face name, size in points, the four style flags bold, italic,
// underline and strike-out as "1" or "0", and the colour's text form (see color.h).
// For example "Arial,10,1000,clBlack". The face name ends at the first comma, so a face
// name with a comma in it does not survive the round trip.
#pragma once

#include <string>
#include <string_view>

#include "settings/color.h"

namespace vemora {

struct FontAttributes {
  std::string face_name;
  int size = 0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  TColor color = clBlack;

  bool operator==(const FontAttributes&) const = default;
};

std::string FontToString(const FontAttributes& font);

// Parses the text form. A missing comma, or flags that are not exactly four characters,
// throw ConversionError "Invalid string to font conversion"; a size that is not a decimal
// integer or a colour that is not a colour text throw ConversionError too. A flag
// character other than "1" leaves its style off.
FontAttributes StringToFont(std::string_view text);

}  // namespace vemora
