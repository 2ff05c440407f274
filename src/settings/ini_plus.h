// TIniPlus: one ini file, read and written straight through, with colour and font values
// on top of texts, integers and Booleans.
//
// An instance holds only the file name. Every read opens and parses the file; every write
// reads it, changes the one value and replaces the file atomically. Nothing is cached, so
// any number of instances (and other programs) can share a file and each read sees the
// latest write. Texts are UTF-8.
//
// Reads never fail: a missing or unreadable file, section or key gives the default, as do
// malformed integers and Booleans. Colour reads throw ConversionError for a text that is
// not a colour. Writes throw IniFileError naming the file when it cannot be written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/color.h"
#include "settings/font.h"

namespace vemora {

class IniDocument;

class TIniPlus {
 public:
  // Texts longer than this (in characters, not bytes) are cut on reading.
  static constexpr std::size_t kMaxTextLength = 2047;

  // `fileName` is used as given, except that a name without a folder part (or one that is
  // only blanks) is placed in the folder of the running executable. The file need not
  // exist; the first write creates it.
  explicit TIniPlus(std::string_view fileName);

  const std::filesystem::path& FileName() const { return file_name_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Writes `value` unchanged. Line breaks cannot be kept in an ini file and are refused
  // with IniFileError; blanks around the value and one pair of surrounding double quotes
  // do not survive reading, as with every ini file.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Decimal (optionally signed), or hexadecimal after "0x"/"0X" with 1 to 8 digits taken as
  // 32 bits ("0xFFFFFFFF" is -1). Anything else gives the default: trailing characters
  // ("12abc") are not skipped, so a damaged value cannot pass as a different number.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);

  // Read as an integer with default 1 or 0; any value other than 0 is true. Written "1"/"0".
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Removes the key; a missing file, section or key is left as it is.
  void DeleteKey(std::string_view section, std::string_view key);

  // Colours in their text form (see color.h); a value that is not a colour throws
  // ConversionError.
  TColor ReadColor(std::string_view section, std::string_view key, TColor defaultValue) const;
  void WriteColor(std::string_view section, std::string_view key, TColor value);

  // Reads the key with `font`'s own text form as the default. When the value is not a
  // font text, `font` keeps the attributes it had and the result is false.
  bool ReadFont(std::string_view section, std::string_view key, FontAttributes& font) const;
  void WriteFont(std::string_view section, std::string_view key, const FontAttributes& font);

 private:
  std::optional<std::string> ReadRaw(std::string_view section, std::string_view key) const;
  IniDocument Load() const;
  void Store(const IniDocument& document);

  std::filesystem::path file_name_;
};

}  // namespace vemora
