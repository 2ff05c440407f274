// Deleting images from the catalogue: the row in Bilder and its grid record. Image files on
// disk are never touched.
//
// Rows go from the highest position down, so the positions noted before stay valid. A
// failing delete stops there: its record stays, the ones deleted before stay deleted, and
// the error goes on.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

// Positions of the marked records, highest first.
std::vector<int> MarkedRowsDescending(const CatalogueGrid& grid);

// A designation as the delete dialog lists it: "<keine Bezeichnung>" for an empty one.
std::string ListedDesignation(const std::string& name);

// "Löschen": with marks on other records than the focused one, the delete dialog chooses
// between the focused record and the marked ones; otherwise a plain question. Returns how
// many records were deleted.
int DeleteImages(CatalogueSession& session, CatalogueGrid& grid, CatalogueDialogs& dialogs);

// "Bild Löschen...": the focused record, without asking. Returns how many were deleted.
int DeleteFocusedImage(CatalogueSession& session, CatalogueGrid& grid);

}  // namespace vemora
