// The deferred-blob plan for a SQLite query: rows are addressed by rowid, blob columns are
// those declared BLOB, and the bytes come through incremental blob I/O (see
// common/deferred_blobs.h for why).
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string_view>

#include "common/deferred_blobs.h"

namespace vemora::gateways {

// The plan for a query already in SQLite's dialect, or nothing when it cannot be deferred.
std::optional<DeferredBlobPlan> PlanLazyBlobs(sqlite3* db, std::string_view query);

}  // namespace vemora::gateways
