// SqliteGateway as a CatalogueChangeFeed.
#include <sqlite3.h>

#include "common/change_log.h"
#include "sqlite/sqlite_error.h"
#include "sqlite/sqlite_gateway.h"

namespace vemora::gateways {
namespace {

struct Statement {
  sqlite3_stmt* statement = nullptr;
  Statement(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
      throw SqliteError(db, sql);
  }
  ~Statement() { sqlite3_finalize(statement); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
};

int64_t DataVersion(sqlite3* db) {
  Statement pragma(db, "PRAGMA data_version");
  if (sqlite3_step(pragma.statement) != SQLITE_ROW) throw SqliteError(db, "PRAGMA data_version");
  return sqlite3_column_int64(pragma.statement, 0);
}

std::pair<int64_t, int64_t> Bounds(sqlite3* db) {
  Statement bounds(db, ChangeBoundsQuery());
  if (sqlite3_step(bounds.statement) != SQLITE_ROW) throw SqliteError(db, ChangeBoundsQuery());
  return {sqlite3_column_int64(bounds.statement, 0), sqlite3_column_int64(bounds.statement, 1)};
}

}  // namespace

uint64_t SqliteGateway::StartFeed() {
  // A trigger naming a missing column would fail every later write, not the installation.
  if (!FieldExists("Bilder", "BildCtr", 0, -1))
    throw TDBError("SQLite: table Bilder has no column BildCtr for the change feed");
  // One write transaction: a second host installing at the same moment waits, then finds
  // everything in place.
  ExecSQL("BEGIN IMMEDIATE", 4);
  try {
    for (const std::string& statement : ChangeLogInstallStatements(SqlEngine::Sqlite)) {
      char* error = nullptr;
      if (sqlite3_exec(db_, statement.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string reason = error ? error : "";
        sqlite3_free(error);
        throw TDBError("SQLite: cannot prepare the change feed: " + reason);
      }
    }
    ExecSQL("COMMIT", 4);
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  dataVersion_ = DataVersion(db_);
  return static_cast<uint64_t>(Bounds(db_).second);
}

bool SqliteGateway::ChangesPending() {
  const int64_t version = DataVersion(db_);
  const bool changed = version != dataVersion_;
  dataVersion_ = version;
  return changed;
}

CatalogueChanges SqliteGateway::ChangesSince(uint64_t token) {
  // Bounds first: an entry added between the two reads is then simply read as well.
  dataVersion_ = DataVersion(db_);
  const auto [oldest, newest] = Bounds(db_);
  std::vector<ChangeEntry> entries;
  const std::string sql = ChangeEntriesQuery(SqlEngine::Sqlite);
  Statement query(db_, sql);
  sqlite3_bind_int64(query.statement, 1, static_cast<sqlite3_int64>(token));
  int rc;
  while ((rc = sqlite3_step(query.statement)) == SQLITE_ROW) {
    entries.push_back({sqlite3_column_int64(query.statement, 0),
                       sqlite3_column_int64(query.statement, 1),
                       sqlite3_column_int(query.statement, 2)});
  }
  if (rc != SQLITE_DONE) throw SqliteError(db_, sql);
  return CoalesceChanges(token, entries, oldest, newest);
}

}  // namespace vemora::gateways
