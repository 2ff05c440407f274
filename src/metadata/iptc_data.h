// TIPTCdata: the IPTC datasets of a JPEG's "Photoshop 3.0" section, as a tag list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "metadata/tag_entry.h"

namespace vemora::metadata {

class TIPTCdata {
 public:
  std::vector<TTagEntry> Tags;

  // Reads the records of `section` (the section's bytes after its two length bytes).
  // Repeated keywords and supplemental categories are merged into one tag, joined by ",".
  void ParseIPTCStrings(std::string_view section);

  int LookupTag(std::string_view name) const;
  std::string LookupTagText(std::string_view name) const;
};

}  // namespace vemora::metadata
