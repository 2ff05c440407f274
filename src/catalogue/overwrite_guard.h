// No silent overwrite on a shared catalogue: before an edit writes a row, the row is read
// again, and when another host changed it since this window read it, the user sees both
// values and decides.
//
// Active only while the session follows other hosts' changes (session.guardOverwrites, set
// by the window when the gateway has a change feed); otherwise every check says "go on"
// without a statement. Questions go through the session's prompter.
#pragma once

#include <string>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

enum class OverwriteAction { Delete, ReplaceImage };

// A cell edit of `item` to `newText` on the record as the window shows it. True when the
// write may go ahead: the cell's value is unchanged in the catalogue, or the user answers
// Yes. A row deleted elsewhere is reported and not written.
bool ConfirmCellOverwrite(CatalogueSession& session, const GridRecord& seen, int item,
                          const std::string& newText);

// Deleting the record, or putting another image into it. True when the row still shows what
// the window shows, or the user answers Yes. A row deleted elsewhere needs no deleting (true)
// and takes no image (reported, false).
bool ConfirmRecordOverwrite(CatalogueSession& session, const GridRecord& seen,
                            OverwriteAction action);

}  // namespace vemora
