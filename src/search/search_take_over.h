// "Auswahl Übernehmen": the search's checked results become the grid's marks.
//
// Results are matched to grid records by file path (exact, case-sensitive), so several
// records sharing one file are all marked. The caller announces the change to its views.
#pragma once

#include <string>
#include <vector>

#include "catalogue/grid_record.h"

namespace vemora {

// Unmarks every record, then marks every record whose file path is one of `checkedPaths`.
// Returns the number of marked records.
int TakeOverSearchSelection(CatalogueGrid& grid, const std::vector<std::string>& checkedPaths);

}  // namespace vemora
