// Renaming the focused record's file after its designation ("Ändere Name zu ...").
//
// The move never replaces a file: when the target exists (or the move fails for any other
// reason) nothing changes anywhere and nothing is shown. On success the old path's entries
// leave thumbs.ini, and every record that pointed at the old file points at the new one.
// The catalogue table is not written.
#pragma once

#include <vector>

#include "catalogue/grid_record.h"
#include "catalogue/prompter.h"

namespace vemora {

class TIniPlus;

// Asks first (Yes, No, Cancel); only Yes renames. Returns the indexes of the records that
// changed, the focused one first; empty when nothing was renamed.
std::vector<int> RenameFocusedFile(CatalogueGrid& grid, Prompter& prompter, TIniPlus& thumbs);

}  // namespace vemora
