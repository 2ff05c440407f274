// "Exportieren...": the focused image or the marked ones, from their stored bytes, into a
// folder the user picks in TBildKonv, as stored or converted to BMP, JPEG or TIFF, and on
// request written back to the catalogue in the new format.
//
// Each file is written under a temporary name and renamed when complete. A failure (a full
// disk, a folder gone, the catalogue unreachable) ends the export at that image with a
// German message naming the file; the images written before stay.
#pragma once

#include <cstdint>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "catalogue/records.h"
#include "fileops/fileops_dialogs.h"

namespace vemora {

class TIniPlus;

// One image through RunCmdMDB's conversion command. An empty target folder shows "Kein
// Zielpfad für die Konvertierung erkannt" and exports nothing (returns false).
bool ExportImage(CatalogueSession& session, const TRecConvertPic& convert);

struct ExportRun {
  int exported = 0;        // images handed to the conversion command
  bool wroteBack = false;  // rows of Bilder got new bytes and file names
};

// The whole command: opens TBildKonv over the marked records (last record first) and the
// focused one, keeps the folder shown as [LAYOUT] ExportPath (also when cancelled), asks
// before writing back, then exports. `settings` is settings.ini.
ExportRun ExportImages(CatalogueSession& session, const CatalogueGrid& grid, TIniPlus& settings,
                       FileOpsDialogs& dialogs);

}  // namespace vemora
