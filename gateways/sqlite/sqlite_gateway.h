// TDBGateway over one SQLite database file: the embedded catalogue of a single host, or of
// several processes that share one file.
//
// The file runs in WAL mode with a busy timeout, so a second process can read while one
// writes and writers queue instead of failing. Statements in the library's dialect are
// translated once per call (brackets, positional markers); blob values are bound as real
// BLOBs without copying. The gateway owns every result set it returns: a closed one is freed
// at the next OpenSQL, the rest when the gateway is destroyed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vemora/gateway.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vemora::gateways {

class SqliteResultSet;

class SqliteGateway final : public TDBGateway {
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

  // How long a statement waits for another process's write lock before failing.
  static constexpr int kBusyTimeoutMilliseconds = 10000;

 private:
  void Execute(const std::string& sql, const std::vector<TDBValue>* values);
  void FreeClosedResultSets();

  sqlite3* db_ = nullptr;
  std::string path_;
  std::vector<std::unique_ptr<SqliteResultSet>> resultSets_;
};

}  // namespace vemora::gateways
