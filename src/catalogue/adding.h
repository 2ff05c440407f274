// Adding image files to the catalogue: from the picture file dialog ("Hinzufügen") or
// dropped onto the window. Each file becomes a grid record and a row of Bilder, with its
// preview.
//
// The grid never shows a row the catalogue does not hold: when the insert of a new row
// fails, the record appended for it is removed again before the error goes on.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

// Adds one file and focuses its record; returns the record's index. Throws when the file
// cannot be read or decoded, or the insert fails.
int AddImageFile(CatalogueSession& session, CatalogueGrid& grid, const std::string& path);

// "Hinzufügen": asks for files, adds them one by one behind the adding window; a file that
// fails shows "Unbekanntes Dateiformat" and the next one is tried. Focuses the last record.
// Returns how many were added.
int AddImagesFromDialog(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs);

// Files dropped onto the window, in the order given. The first failure ends the drop and
// passes on; the files before it stay added. Returns how many were added.
int AddDroppedFiles(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs,
                    const std::vector<std::string>& paths);

// "<size / 1024, rounded to the nearest, halves to even> KByte".
std::string RoundedSizeText(uint64_t bytes);

// The adding window's times: "1,5 Sekunden " for the last file (minutes and hours
// dropped), "2 Minuten 3,40 Sekunden" since the first (hours dropped).
std::string FileDurationText(std::chrono::milliseconds duration);
std::string ElapsedText(std::chrono::milliseconds elapsed);

}  // namespace vemora
