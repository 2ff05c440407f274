// The catalogue's tables as each engine creates them: `Bilder` (one row per image) and
// `BildFilt` (saved search option sets). Blob columns come last in `Bilder`, so an engine
// that stores a row's columns in order reaches the texts without touching the image bytes.
#pragma once

#include <string>
#include <vector>

#include "common/dialect.h"

namespace vemora::gateways {

// CREATE ... IF NOT EXISTS statements, in order; running them twice changes nothing.
// Names are written bare, so PostgreSQL folds them to lower case like the library's
// own statements.
std::vector<std::string> CatalogueSchemaStatements(SqlEngine engine);

}  // namespace vemora::gateways
