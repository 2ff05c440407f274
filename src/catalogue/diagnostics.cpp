#include "catalogue/diagnostics.h"

#include "catalogue/preview_column.h"

namespace vemora {

std::string TestPreviewColumn(CatalogueSession& session) {
  CheckPreviewColumn(session);
  const std::string column = "VsBild";
  if (!session.previewColumnAvailable) return "Feld " + column + " fehlt in Tabelle Bilder";
  if (session.previewColumnWasPresent)
    return "Feld " + column + " in Tabelle Bilder vorhanden.\r\nAlle VsBilder vorhanden";
  return "Feld " + column + " in Tabelle Bilder vorhanden. Mindestens ein VsBild fehlt";
}

}  // namespace vemora
