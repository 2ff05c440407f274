// A stored image out to one file, as it is stored: SaveImageToFile (also used by the editor
// hand-off and mailing) and the command "Speichern unter...".
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "fileops/fileops_dialogs.h"

namespace vemora {

// Writes the stored bytes of the row with `key` (a negative key: the focused record's) to
// `path`. A folder that does not exist gives way to the image folder; an empty file name
// to "ExpBild_" and the date and time. Returns 0 when the file exists afterwards, else 1.
int SaveImageToFile(CatalogueSession& session, const CatalogueGrid& grid, int32_t key,
                    const std::string& path);

// "ExpBild_" and the current local date and time, e.g. "ExpBild_2024-05-03_14-07-31".
std::string FallbackExportName();

// "Speichern unter...": the save dialog starts in the focused record's folder (or the image
// folder) with its file name; an existing file is replaced only after the user agrees.
// Returns true when a file was written.
bool SaveFocusedImageAs(CatalogueSession& session, const CatalogueGrid& grid,
                        FileOpsDialogs& dialogs);

}  // namespace vemora
