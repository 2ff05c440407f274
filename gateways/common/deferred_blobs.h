// Rewriting plain table queries: blob columns deferred, rows in a stable order.
//
// The library reads its catalogue with "SELECT * FROM Bilder", and an engine hands over every
// selected column of a row at once, each image's bytes included. A query that selects plain
// columns of one table ("SELECT * FROM t ...", "SELECT a, b FROM t ...") is rewritten so that
// a deferred blob yields only its length, next to the row's key; a gateway fetches its bytes
// by that key when a field asks for them. Which blobs wait is one rule per column
// (CatalogueDeferralLimit: images wait, previews come with the row).
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

// A preview of more bytes than this is deferred all the same: previews are 100 pixels high.
inline constexpr int kDeferredBlobMinimumBytes = 32 * 1024;

// The catalogue's rule: a preview, which a load reads for every row, comes with its row unless
// it is unusually large; fetching it apart would cost a blob handle (SQLite) or a round trip
// (PostgreSQL) per row. An image is read one row at a time, for the focused record or an
// export, so every image waits until it is asked for: a load that only asks whether each row
// has one never copies it.
int64_t CatalogueDeferralLimit(const std::string& tableColumn);

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
// column of the table. Blobs are deferred as CatalogueDeferralLimit says for their column,
// and those named in `leftOut` whatever their size.
std::optional<DeferredBlobPlan> PlanDeferredBlobs(const SimpleSelect& select,
                                                  const std::vector<TableColumn>& columns,
                                                  const std::string& keyColumn, SqlEngine engine,
                                                  const std::vector<std::string>& leftOut = {});

}  // namespace vemora::gateways
