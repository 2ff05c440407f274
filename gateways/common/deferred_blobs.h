// Rewriting plain table queries: blob columns deferred, rows in a stable order.
//
// The library reads its catalogue with "SELECT * FROM Bilder", and an engine hands over every
// selected column of a row at once, each image's bytes included. A query that selects plain
// columns of one table ("SELECT * FROM t ...", "SELECT a, b FROM t ...") is rewritten so that
// each large blob yields only its length, next to the row's key; a gateway fetches its bytes
// by that key when a field asks for them. Small blobs (previews, which a load reads for every
// row) come with the row, where a fetch of their own would cost more than it saves.
//
// The rewrite also orders the rows by the key when the query gives no order: the library
// pairs the rows of two queries by position, so the order must not change between them, and
// PostgreSQL returns an updated row at another place in a scan. Any other query runs as
// written.
//
// This unit parses and plans; each gateway supplies the table's columns and fetches.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/dialect.h"

namespace vemora::gateways {

// "SELECT <* | a, b, ...> FROM <table> [WHERE ... | ORDER BY ... | LIMIT ...]", parsed from a
// statement already in the engine's dialect.
struct SimpleSelect {
  bool star = false;
  std::vector<std::string> columns;  // as written, without quotes; empty for *
  std::string table;
  std::string tail;  // everything after the table name
};
std::optional<SimpleSelect> ParseSimpleSelect(std::string_view query);

// Blobs of more bytes than this are deferred: above every preview (100 pixels high), below
// nearly every image file.
inline constexpr int kDeferredBlobMinimumBytes = 32 * 1024;

struct TableColumn {
  std::string name;
  bool isBlob = false;
};

struct DeferredBlobPlan {
  struct Column {
    std::string name;         // as the caller sees it
    std::string tableColumn;  // as declared in the table
    int valueIndex = 0;       // result column holding the value (null for a deferred blob)
    int lengthIndex = -1;     // result column with a deferred blob's length, or -1
  };
  std::string sql;  // the rewritten query
  std::string table;
  std::string keyColumn;  // how the gateway addresses the row again
  int keyIndex = 0;       // result column holding the row's key
  std::vector<Column> columns;
};

// The plan for `select` over a table with `columns` whose rows are addressed by `keyColumn`
// ("rowid" in SQLite, the primary key in PostgreSQL); nothing when a selected name is not a
// column of the table. Blobs of more than `deferAboveBytes` are deferred (-1: every blob).
std::optional<DeferredBlobPlan> PlanDeferredBlobs(
    const SimpleSelect& select, const std::vector<TableColumn>& columns,
    const std::string& keyColumn, SqlEngine engine,
    int64_t deferAboveBytes = kDeferredBlobMinimumBytes);

}  // namespace vemora::gateways
