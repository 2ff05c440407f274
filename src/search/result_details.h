// What the search dialog's detail pane shows for one result: its texts, file date and
// pixel size, and the stored image fetched by key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "search/search_snapshot.h"
#include "vemora/gateway.h"

namespace vemora {

struct ResultDetails {
  std::string name;
  std::string dateText;  // "dd.mm.yyyy hh:nn:ss", or "-" for a missing file
  std::string sizeText;  // "<w> x <h> Pixel", or "-" when unknown
  std::string description;
  std::string keywords;
};

// Reads the entry's file date and size when not yet read.
ResultDetails DescribeResult(SearchRow& row, SearchFileReader& files);

// The bytes of column Bild of the row with the key; none when no row has it.
std::optional<std::string> StoredImageBytes(TDBGateway& gateway, int32_t key);

}  // namespace vemora
