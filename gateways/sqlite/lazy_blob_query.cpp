#include "sqlite/lazy_blob_query.h"

namespace vemora::gateways {
namespace {

std::vector<TableColumn> ColumnsOf(sqlite3* db, const std::string& table) {
  std::vector<TableColumn> columns;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT name, upper(type) FROM pragma_table_info(?1)", -1, &statement,
                         nullptr) != SQLITE_OK) {
    return columns;
  }
  sqlite3_bind_text(statement, 1, table.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
    columns.push_back(
        {name ? name : "", type && std::string_view(type).find("BLOB") != std::string_view::npos});
  }
  sqlite3_finalize(statement);
  return columns;
}

}  // namespace

std::optional<DeferredBlobPlan> PlanLazyBlobs(sqlite3* db, std::string_view query) {
  const std::optional<SimpleSelect> select = ParseSimpleSelect(query);
  if (!select) return std::nullopt;
  const std::vector<TableColumn> columns = ColumnsOf(db, select->table);
  if (columns.empty()) return std::nullopt;  // no such table: the engine reports it
  return PlanDeferredBlobs(*select, columns, "rowid", SqlEngine::Sqlite);
}

}  // namespace vemora::gateways
