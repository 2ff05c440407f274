// The preview column of table Bilder: making sure it exists, and building previews.
//
// Every load checks the column first. A catalogue made before previews existed gets the
// column and then a preview for every row (with the wait window); a row that merely lacks
// its preview gets it one by one while the load reads it.
#pragma once

#include <string>

#include "catalogue/catalogue_session.h"
#include "vemora/gateway.h"

namespace vemora {

enum PreviewRebuildMode { kRebuildAll = 1, kRebuildCurrentRow = 3 };

// True when table.column exists or was added as a blob column. A failing add is reported
// to the user and gives false; a failing existence check is not caught.
bool EnsureField(CatalogueSession& session, const std::string& table, const std::string& column);

// The column check the load runs before it reads any row.
void CheckPreviewColumn(CatalogueSession& session);

// kRebuildAll: builds and stores the preview of every row behind the wait window.
// kRebuildCurrentRow: the preview of rows' current row (columns Bild and BildCtr2); the
// row is not moved. Returns the stored preview bytes of the last row built. Other modes
// do nothing.
std::string RebuildPreviews(CatalogueSession& session, int mode, TDBResultSet* rows = nullptr);

}  // namespace vemora
