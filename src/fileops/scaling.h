// "Bilder skalieren...": the stored pictures of all catalogue rows, or of the marked ones,
// shrink to fit inside the limits chosen in TResizeForm and are written back in their own
// format. Image files on disk and the previews (VsBild) stay as they are.
//
// Every taken row gets "UPDATE Bilder SET Bild=:p1 WHERE BildCtr2=:p2", with its old bytes
// when nothing was resampled (bytes of no known kind included). Decoding, resampling and
// encoding of the next rows run on worker threads while this thread walks the query and
// writes, in query order. A failure at one row (the gateway, or a damaged picture) ends the
// run there: the rows before it are scaled, it and the rows after it are untouched.
#pragma once

#include <string>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "codec/scale_image.h"
#include "fileops/fileops_dialogs.h"

namespace vemora {

struct ScalingRun {
  // The dialog's export button was pressed: the caller starts "Exportieren...".
  bool exportRequested = false;
  int updated = 0;  // rows written back
};

// A limit field's text as a whole number; a German error for anything else.
int32_t ParseLimit(const std::string& text);

// The codec settings of the dialog's choice; throws for a limit that is not a whole number.
codec::ScaleSettings ScaleSettingsOf(const ResizeDialogResult& choice);

// The run with the dialog's choice. "markierte Bilder" takes the rows whose key belongs to
// a marked record, wherever the grid shows it. Returns the rows written.
int ScaleStoredImages(CatalogueSession& session, const CatalogueGrid& grid,
                      const ResizeDialogResult& choice);

// The whole command: the dialog, then the run.
ScalingRun ScaleCatalogueImages(CatalogueSession& session, const CatalogueGrid& grid,
                                FileOpsDialogs& dialogs);

}  // namespace vemora
