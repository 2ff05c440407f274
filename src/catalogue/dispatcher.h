// RunCmdMDB: every write to table Bilder, and the export of a stored image, as one
// command record in and one integer out.
//
// The caller fills a TRecCmdMDB and a TRecDSBilder and calls RunCmdMDB; the dispatcher
// builds the statement, runs it through the session's gateway and returns the new key
// (insert), the file status (export, convert) or 0. It catches nothing: a gateway or codec
// error ends the command and reaches the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/catalogue_session.h"
#include "catalogue/records.h"
#include "vemora/gateway.h"

namespace vemora {

// The bytes as a blob parameter: the blob marker followed by the bytes unchanged.
TDBValue AsBlobParam(std::string_view bytes);

int32_t RunCmdMDB(CatalogueSession& session, const TRecCmdMDB& command, const TRecDSBilder& record);

// The update statement of command 3 for a column selector; empty for selectors that do
// nothing (0, 13, above 15).
std::string UpdateColumnStatement(int32_t selector);

}  // namespace vemora
