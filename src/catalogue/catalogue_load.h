// Filling the grid from table Bilder.
//
// The load checks the preview column first, settles the file-name column, reads the marks
// handed back last time, and appends one record per row in query order, building (and
// storing) the preview of every row that lacks one. A wait window advances per row. A
// damaged image that ends the rebuild of all previews (a catalogue older than its preview
// column) is reported in German and the load goes on; its row has no preview.
#pragma once

#include <set>
#include <string>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

struct LoadOptions {
  // Lines of the hand-back file: a row whose key in decimal is one of them starts marked.
  std::set<std::string> markedKeys;
  // Where the gateway can (TDBColumnApart), leave the stored previews to a PreviewFeed: their
  // records are marked as waiting for them. Rows without a preview get one built as always.
  bool previewsApart = false;
};

// Replaces the grid's records. On an error the records read so far stay and the error
// passes on; the wait window is closed either way. The focus is cleared.
void LoadCatalogue(CatalogueSession& session, CatalogueGrid& grid, const LoadOptions& options);

}  // namespace vemora
