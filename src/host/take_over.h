// "Übernehmen": what the user has chosen, found again in the catalogue.
//
// Both walk a fresh "Select * from Bilder". The grid holds its records in the order that
// query returned them when the catalogue was loaded, so row i of the query is grid record
// i.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vemora/gateway.h"

namespace vemora {

// The keys of the rows whose grid record is marked, in query order.
std::vector<int32_t> CollectMarkedKeys(TDBGateway& gateway, const std::vector<bool>& marks);

// The key of the last row whose file name (column File, else XFile) equals fileName
// exactly; currentKey when no row matches.
int32_t FindKeyByFileName(TDBGateway& gateway, const std::string& fileName, int32_t currentKey);

}  // namespace vemora
