#include "settings/ini_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace vemora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, minimum = 0x10000;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are what a Windows-1252 text
    // that happens to look like UTF-8 would produce; reject them.
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Windows1252ToUtf8(std::string_view text) {
  // 0x80..0x9F are the only bytes where Windows-1252 differs from Latin-1; the five
  // undefined ones map to the C1 control of the same number, as Windows does.
  static constexpr std::array<uint16_t, 32> kHighControls = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte);
  }
  return out;
}

bool IsComment(std::string_view trimmed) {
  return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  if (bytes.starts_with(kByteOrderMark)) {
    document.byte_order_mark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  if (const auto first_break = bytes.find('\n'); first_break != std::string_view::npos) {
    document.crlf_ = first_break > 0 && bytes[first_break - 1] == '\r';
  }

  while (!bytes.empty()) {
    const auto end = bytes.find('\n');
    std::string_view text = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (text.ends_with('\r')) text.remove_suffix(1);

    // Decided line by line: a stray damaged line (or an old Windows-1252 one) must not
    // turn the good UTF-8 values around it into different text.
    Line line{LineKind::kOther,
              document.byte_order_mark_ || IsValidUtf8(text) ? std::string(text)
                                                             : Windows1252ToUtf8(text),
              {}};
    text = line.text;
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.starts_with('[')) {
      const auto close = trimmed.find(']');
      line.kind = LineKind::kSection;
      line.name =
          TrimBlanks(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
    } else if (const auto equals = trimmed.find('=');
               !IsComment(trimmed) && equals != std::string_view::npos) {
      line.name = TrimBlanks(trimmed.substr(0, equals));
      if (!line.name.empty()) line.kind = LineKind::kKey;
    }
    document.lines_.push_back(std::move(line));
  }
  return document;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  section = TrimBlanks(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::kSection && EqualsIgnoringAsciiCase(lines_[i].name, section))
      return i;
  }
  return std::nullopt;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != LineKind::kSection) ++end;
  return end;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  key = TrimBlanks(key);
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != LineKind::kKey || !EqualsIgnoringAsciiCase(line.name, key)) continue;
    std::string_view value =
        TrimBlanks(std::string_view(line.text).substr(line.text.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
  }
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  // Anything that would read back as a different line structure is refused rather than
  // written into a file that then means something else.
  if (HasLineBreak(section) || section.find(']') != std::string_view::npos) {
    throw std::invalid_argument("section name cannot be written: " + std::string(section));
  }
  if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      key.front() == '[' || IsComment(key)) {
    throw std::invalid_argument("key name cannot be written: " + std::string(key));
  }
  if (HasLineBreak(value)) {
    throw std::invalid_argument("value of " + std::string(key) + " contains a line break");
  }

  Line entry{LineKind::kKey, std::string(key) + "=" + std::string(value), std::string(key)};
  const auto header = FindSection(section);
  if (!header) {
    if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) lines_.push_back({});
    lines_.push_back({LineKind::kSection, "[" + std::string(section) + "]", std::string(section)});
    lines_.push_back(std::move(entry));
    return;
  }
  const std::size_t end = SectionEnd(*header);
  std::size_t insert_at = *header + 1;
  for (std::size_t i = *header + 1; i < end; ++i) {
    Line& line = lines_[i];
    if (line.kind != LineKind::kKey) continue;
    if (EqualsIgnoringAsciiCase(line.name, key)) {
      line.text = line.name + "=" + std::string(value);
      return;
    }
    insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const auto header = FindSection(section);
  if (!header) return false;
  key = TrimBlanks(key);
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(*header + 1);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header));
  const auto kept = std::remove_if(first, last, [key](const Line& line) {
    return line.kind == LineKind::kKey && EqualsIgnoringAsciiCase(line.name, key);
  });
  if (kept == last) return false;
  lines_.erase(kept, last);
  return true;
}

std::string IniDocument::Serialize() const {
  const std::string_view line_end = crlf_ ? "\r\n" : "\n";
  std::string out;
  if (byte_order_mark_) out += kByteOrderMark;
  for (const Line& line : lines_) {
    out += line.text;
    out += line_end;
  }
  return out;
}

}  // namespace vemora
