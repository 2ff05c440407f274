// Keeps SQLite from reading image bytes that nobody asks for.
//
// SQLite reads every selected column when it steps to a row, a multi-megabyte blob
// included, so "SELECT * FROM Bilder" would read every stored image just to show the
// texts. A query that selects plain columns of one table ("SELECT * FROM t ...",
// "SELECT a,b FROM t ...") is therefore rewritten: each blob column yields only its length
// (which SQLite answers from the row header) plus the row id, and the bytes are read through
// incremental blob I/O when a field asks for them. Any other query runs as written.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemora::gateways {

struct LazyBlobPlan {
  struct Column {
    std::string name;         // as the caller sees it
    std::string tableColumn;  // as declared in the table
    int valueIndex = 0;       // statement column with the value (null for a deferred blob)
    int lengthIndex = -1;     // statement column with a deferred blob's length, or -1
  };
  std::string sql;  // the rewritten query
  std::string table;
  int rowidIndex = 0;
  std::vector<Column> columns;
};

// The plan for a query already in SQLite's dialect, or nothing when the query is not a plain
// selection from one table or selects no blob column.
std::optional<LazyBlobPlan> PlanLazyBlobs(sqlite3* db, std::string_view query);

}  // namespace vemora::gateways
