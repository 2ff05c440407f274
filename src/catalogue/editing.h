// Changing a catalogue row in place: one edited grid cell at a time, or the row's image
// replaced by another file. Every change is written at once; the grid record takes the
// change only when the write succeeded, so grid and catalogue never disagree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

// Writes the edited text of one cell of record `row` through the update command. The
// selector names the column: 3 Name, 4 Beschreibung, 9 TextTop, 10 TextBottom, 11 TextLeft,
// 12 TextRight, 14 Suchbegriffe; others throw std::invalid_argument.
void CommitCellEdit(CatalogueSession& session, CatalogueGrid& grid, int row, int32_t selector,
                    const std::string& text);

// The selector of the grid column `item` (grid_record.h) when its cells are edited in
// place; none for the picture, path, size and hidden columns.
std::optional<int32_t> EditSelectorForItem(int item);

// Whether the column's editor takes several lines ("Beschreibung", "Suchbegriffe").
bool IsMultiLineItem(int item);

// Puts another file's image, preview, name and folder into the focused row, keeping its
// key and texts. When the file's name differs from the row's designation the user is asked
// whether the designation follows. A file that cannot be read changes nothing.
void ReplaceImageSource(CatalogueSession& session, CatalogueGrid& grid, const std::string& newPath);

// "Quelle ändern": the picture file dialog (single file), then ReplaceImageSource. Returns
// false when no record is focused or the user cancelled.
bool ChangeImageSource(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs);

}  // namespace vemora
