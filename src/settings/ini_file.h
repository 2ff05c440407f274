// IniDocument: the text of one ini file, parsed so that single values can be read, changed
// or removed and the file written back with everything else as it was.
//
// The syntax is the plain one Windows programs write: "[Section]" lines, then "key=value"
// lines. Section and key names match without regard to ASCII case; blanks around names,
// around "=" and around values do not count, and one pair of double quotes around a value
// is dropped when reading. Comments (";" or "#"), blank lines and lines this class does not
// understand are kept verbatim, as are the order of sections and keys, the line-end style
// (CRLF or LF) and a UTF-8 byte-order mark. A document owns its lines; it knows nothing of
// files (see ini_plus.h for the store that reads and writes them).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemora {

class IniDocument {
 public:
  // An empty document; it writes CRLF line ends, as the files of the original system have.
  IniDocument() = default;

  // Parses file bytes. A line that is not valid UTF-8 (in a file without a byte-order mark)
  // is taken as Windows-1252, the code page older versions of these files were written in,
  // and held as UTF-8 from then on; the other lines stay as they are.
  static IniDocument Parse(std::string_view bytes);

  // The value of the first matching key in the first matching section, trimmed and with
  // one pair of surrounding double quotes removed; nullopt when either is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Replaces the value of an existing key (keeping the key's spelling) or appends the key
  // at the end of its section; a missing section is appended at the end of the document.
  // Throws std::invalid_argument for names or values that cannot be written as one line.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes every line of the key in the first matching section. Returns whether any was.
  bool Remove(std::string_view section, std::string_view key);

  // The document as file bytes.
  std::string Serialize() const;

 private:
  enum class LineKind { kOther, kSection, kKey };
  struct Line {
    LineKind kind = LineKind::kOther;
    std::string text;  // the line as it stands in the file, without its line end
    std::string name;  // section or key name, trimmed
  };

  // Index of the header line of the first section named `section`.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // One past the last line that belongs to the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<Line> lines_;
  bool crlf_ = true;
  bool byte_order_mark_ = false;
};

// ASCII-only comparison without regard to case, as Windows matches ini names.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// `text` without leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

}  // namespace vemora
