// The static tag tables: the main TIFF/EXIF table, GPS, one table per camera
// maker layout and IPTC. Every table ends with its `Unknown` row, which lookups return for
// tags they do not know.
#pragma once

#include <span>

#include "metadata/tag_entry.h"

namespace vemora::metadata {

std::span<const TTagDef> MainTagTable();
std::span<const TTagDef> GpsTagTable();
std::span<const TTagDef> Nikon1TagTable();
std::span<const TTagDef> Nikon2TagTable();
std::span<const TTagDef> OlympusTagTable();
std::span<const TTagDef> CasioTagTable();
std::span<const TTagDef> FujiTagTable();
std::span<const TTagDef> CanonTagTable();
std::span<const TTagDef> SeikoTagTable();
std::span<const TTagDef> SanyoTagTable();
std::span<const TTagDef> MinoltaTagTable();

// The row for `tag` in a table sorted by tag number, or the table's last (Unknown) row.
const TTagDef& LookupByTag(std::span<const TTagDef> table, int tag);
// The IPTC row for (record, dataset), or the Unknown row.
const TTagDef& LookupIptc(int record, int dataset);

}  // namespace vemora::metadata
