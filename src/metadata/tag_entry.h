// The tag entry: one row of a static tag table and, once filled, one element of a tag list.
//
// Table rows (TTagDef) are compile-time constants; reading a directory entry copies the row
// into a TTagEntry and fills in the value. Names, decoding strings and format strings always
// point into the static tables or string literals, so entries carry string_views for them and
// own only the value bytes and the formatted text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora::metadata {

class TImageInfo;
struct TTagEntry;

// Makes the final display text of an entry whose Data already holds the generic formatting.
// May add further tags to the image info (the camera maker notes do).
using TagCallback = std::string (*)(TImageInfo& info, const TTagEntry& entry);

// Table ids of the tag tables; an entry remembers which table it came from.
enum TableId : int {
  kTableNone = 0,
  kTableMain = 1,
  kTableGps = 2,
  kTableNikon1 = 3,
  kTableNikon2 = 4,
  kTableOlympus = 5,
  kTableCasio = 6,
  kTableFuji = 7,
  kTableCanon = 8,
  kTableSeiko = 9,
  kTableSanyo = 10,
  kTableMinolta = 11,
  kTableIptc = 12,
};

struct TTagDef {
  int TID = 0;
  int TType = 0;  // for the JPEG marker table: the marker byte
  int ICode = 0;  // IPTC record number
  int Tag = 0;
  std::string_view Name;
  std::string_view Desc;
  std::string_view Code;
  std::string_view FormatS;
  TagCallback CallBack = nullptr;
};

struct TTagEntry {
  int TID = 0;
  int TType = 0;
  int ICode = 0;
  int Tag = 0;
  std::string_view Name;
  std::string_view Desc;
  std::string_view Code;
  std::string Data;
  std::string Raw;
  std::int64_t PRaw = 0;
  std::string_view FormatS;
  int Size = 0;
  TagCallback CallBack = nullptr;

  TTagEntry() = default;
  explicit TTagEntry(const TTagDef& def)
      : TID(def.TID),
        TType(def.TType),
        ICode(def.ICode),
        Tag(def.Tag),
        Name(def.Name),
        Desc(def.Desc),
        Code(def.Code),
        FormatS(def.FormatS),
        CallBack(def.CallBack) {}
};

// Entries whose name is one of these are read but never listed.
inline bool IsSkipName(std::string_view name) { return name == "Skip" || name == "SKIP"; }

}  // namespace vemora::metadata
