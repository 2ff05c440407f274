#include "settings/ini_plus.h"

#include <charconv>
#include <stdexcept>

#include "platform/utf8_path.h"
#include "settings/executable_folder.h"
#include "settings/file_access.h"
#include "settings/ini_file.h"
#include "settings/settings_errors.h"

namespace vemora {
namespace {

std::filesystem::path ResolveFileName(std::string_view name) {
  std::filesystem::path path = platform::PathFromUtf8(name);
  const std::string folder = platform::Utf8FromPath(path.parent_path());
  if (TrimBlanks(folder).empty()) return ExecutableFolder() / path.filename();
  return path;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  const char* const end = text.data() + text.size();
  if (text.starts_with("0x") || text.starts_with("0X")) {
    uint32_t value = 0;  // unsigned parsing also refuses a sign after the prefix
    const auto [stop, error] = std::from_chars(text.data() + 2, end, value, 16);
    if (error != std::errc() || stop != end) return std::nullopt;
    return static_cast<int32_t>(value);
  }
  std::string_view digits = text;
  if (digits.starts_with('+')) {
    digits.remove_prefix(1);  // from_chars takes "-" but not "+"
    if (digits.starts_with('-')) return std::nullopt;
  }
  int32_t value = 0;
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// Cuts UTF-8 text after `limit` characters, never inside one.
void LimitCharacters(std::string& text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation && characters++ == limit) {
      text.resize(i);
      return;
    }
  }
}

}  // namespace

TIniPlus::TIniPlus(std::string_view fileName) : file_name_(ResolveFileName(fileName)) {}

IniDocument TIniPlus::Load() const {
  const std::optional<std::string> bytes = ReadFileIfExists(file_name_);
  return bytes ? IniDocument::Parse(*bytes) : IniDocument();
}

void TIniPlus::Store(const IniDocument& document) {
  ReplaceFileAtomically(file_name_, document.Serialize());
}

std::optional<std::string> TIniPlus::ReadRaw(std::string_view section, std::string_view key) const {
  try {
    return Load().Find(section, key);
  } catch (const IniFileError&) {
    return std::nullopt;  // an unreadable file reads like a missing one
  }
}

std::string TIniPlus::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  std::string value = ReadRaw(section, key).value_or(std::string(defaultValue));
  LimitCharacters(value, kMaxTextLength);
  return value;
}

void TIniPlus::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  IniDocument document = Load();
  try {
    document.Set(section, key, value);
  } catch (const std::invalid_argument& refused) {
    throw IniFileError("cannot write settings file '" + file_name_.string() +
                       "': " + refused.what());
  }
  Store(document);
}

int32_t TIniPlus::ReadInteger(std::string_view section, std::string_view key,
                              int32_t defaultValue) const {
  const std::optional<std::string> text = ReadRaw(section, key);
  if (!text) return defaultValue;
  return ParseInteger(*text).value_or(defaultValue);
}

void TIniPlus::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TIniPlus::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniPlus::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniPlus::DeleteKey(std::string_view section, std::string_view key) {
  IniDocument document = Load();
  if (document.Remove(section, key)) Store(document);
}

TColor TIniPlus::ReadColor(std::string_view section, std::string_view key,
                           TColor defaultValue) const {
  return StringToColor(ReadString(section, key, ColorToString(defaultValue)));
}

void TIniPlus::WriteColor(std::string_view section, std::string_view key, TColor value) {
  WriteString(section, key, ColorToString(value));
}

bool TIniPlus::ReadFont(std::string_view section, std::string_view key,
                        FontAttributes& font) const {
  const std::string text = ReadString(section, key, FontToString(font));
  try {
    font = StringToFont(text);
    return true;
  } catch (const ConversionError&) {
    // The font was never touched, which is what restoring it from its own text gives.
    return false;
  }
}

void TIniPlus::WriteFont(std::string_view section, std::string_view key,
                         const FontAttributes& font) {
  WriteString(section, key, FontToString(font));
}

}  // namespace vemora
