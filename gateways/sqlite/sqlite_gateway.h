// TDBGateway over one SQLite database file: the embedded catalogue of a single host, or of
// several processes that share one file.
//
// The file runs in WAL mode with a busy timeout, so a second process can read while one
// writes and writers queue instead of failing. Statements in the library's dialect are
// translated once per call (brackets, positional markers); blob values are bound as real
// BLOBs without copying.
//
// Statements run on one connection; each open result set reads on a connection of its own,
// taken from a small pool. A connection that holds a read snapshot cannot take the write
// lock once another process has written since, so writing previews during a load would
// fail while a second host adds images; and a query opened later starts a fresh snapshot,
// so it sees every committed row. An in-memory database has a single connection.
//
// The gateway owns every result set it returns: a closed one is freed at the next OpenSQL,
// the rest when the gateway is destroyed.
//
// It is also a change feed: triggers fill a change table, and `PRAGMA data_version` on the
// statement connection tells without reading a row whether another connection has written.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vemora/change_feed.h"
#include "vemora/gateway.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vemora::gateways {

class SqliteResultSet;

class SqliteGateway final : public TDBGateway, public CatalogueChangeFeed {
 public:
  // Opens the file, creating it when missing. Throws TDBError naming the file.
  explicit SqliteGateway(const std::string& path);
  ~SqliteGateway() override;
  SqliteGateway(const SqliteGateway&) = delete;
  SqliteGateway& operator=(const SqliteGateway&) = delete;

  void ExecSQL(const std::string& sql, uint8_t mode) override;
  void ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values, int32_t option1,
                     int32_t option2) override;
  TDBResultSet* OpenSQL(const std::string& sql, int32_t option1, int32_t option2) override;
  void AddField(const std::string& table, const std::string& column, int32_t fieldType,
                int32_t size, const TDBValue& defaultValue) override;
  bool FieldExists(const std::string& table, const std::string& column, int32_t option1,
                   int32_t option2) override;

  // Creates `Bilder` and `BildFilt` when they are missing; existing tables stay as they are.
  void CreateCatalogueTables();

  uint64_t StartFeed() override;
  bool ChangesPending() override;
  CatalogueChanges ChangesSince(uint64_t token) override;

  // How long a statement waits for another process's write lock before failing.
  static constexpr int kBusyTimeoutMilliseconds = 10000;

 private:
  struct Reader {
    sqlite3* db = nullptr;
    bool inUse = false;
  };

  void Execute(const std::string& sql, const std::vector<TDBValue>* values);
  void FreeClosedResultSets();
  Reader& IdleReader();

  sqlite3* db_ = nullptr;
  std::string path_;
  bool inMemory_ = false;
  int64_t dataVersion_ = -1;  // PRAGMA data_version when the feed last looked
  std::vector<std::unique_ptr<Reader>> readers_;
  std::vector<std::unique_ptr<SqliteResultSet>> resultSets_;  // after readers_: freed first
};

}  // namespace vemora::gateways
