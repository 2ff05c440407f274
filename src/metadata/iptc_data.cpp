#include "metadata/iptc_data.h"

#include <cctype>

#include "metadata/format_number.h"
#include "metadata/tag_tables.h"

namespace vemora::metadata {

void TIPTCdata::ParseIPTCStrings(std::string_view section) {
  constexpr std::string_view kSignature = "Photoshop 3.0";
  const std::size_t signature = section.find(kSignature);
  if (signature == std::string_view::npos) return;
  std::size_t marker = signature + kSignature.size();
  while (marker + 1 < section.size() &&
         !(section[marker] == 0x1C && (section[marker + 1] == 2 || section[marker + 1] == 8))) {
    ++marker;
  }
  if (marker + 1 >= section.size()) return;

  const auto byte = [&](std::size_t pos) { return static_cast<std::uint8_t>(section[pos]); };
  const std::size_t end = section.size() >= 2 ? section.size() - 2 : 0;
  std::size_t pos = marker + 1;
  while (pos + 4 <= end) {
    const int record = byte(pos);
    const int dataset = byte(pos + 1);
    const std::size_t length = (static_cast<std::size_t>(byte(pos + 2)) << 8) | byte(pos + 3);
    const std::size_t value = pos + 4;
    const std::string_view bytes = section.substr(value, length);
    // Datasets without a declared character set come from Latin-1 systems in practice.
    const std::string text = ToUtf8Text(bytes);
    if (record == 2 || record == 8) {
      const TTagDef& def = LookupIptc(record, dataset);
      if (def.Name != "Unknown" && !IsSkipName(def.Name)) {
        const bool merged = def.Tag == 20 || def.Tag == 25;
        const int existing = merged ? LookupTag(def.Name) : -1;
        if (existing >= 0) {
          TTagEntry& tag = Tags[static_cast<std::size_t>(existing)];
          tag.Data += ',';
          tag.Data += text;
          tag.Raw += ',';
          tag.Raw += bytes;
        } else {
          TTagEntry tag(def);
          tag.Data.assign(text);
          tag.Raw.assign(bytes);
          tag.PRaw = static_cast<std::int64_t>(value);
          tag.Size = static_cast<int>(text.size());
          if (Tags.size() == Tags.capacity()) Tags.reserve(Tags.capacity() + 25);
          Tags.push_back(std::move(tag));
        }
      }
    }
    // The byte after a value is the next record's tag marker; anything else ends the block
    // (the Photoshop resources that follow are not IPTC).
    const std::size_t next = value + length;
    if (next >= section.size() || section[next] != 0x1C) break;
    pos = next + 1;
  }
}

int TIPTCdata::LookupTag(std::string_view name) const {
  for (std::size_t i = 0; i < Tags.size(); ++i) {
    const std::string_view candidate = Tags[i].Name;
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (std::size_t c = 0; c < name.size() && same; ++c) {
      same = std::tolower(static_cast<unsigned char>(candidate[c])) ==
             std::tolower(static_cast<unsigned char>(name[c]));
    }
    if (same) return static_cast<int>(i);
  }
  return -1;
}

std::string TIPTCdata::LookupTagText(std::string_view name) const {
  const int index = LookupTag(name);
  return index < 0 ? std::string() : Tags[static_cast<std::size_t>(index)].Data;
}

}  // namespace vemora::metadata
