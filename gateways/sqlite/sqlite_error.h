// TDBError built from a SQLite connection's last error and the statement that caused it.
#pragma once

#include <sqlite3.h>

#include <string>

#include "vemora/gateway.h"

namespace vemora::gateways {

class SqliteError : public TDBError {
 public:
  SqliteError(sqlite3* db, const std::string& sql)
      : TDBError(std::string("SQLite: ") + (db ? sqlite3_errmsg(db) : "out of memory") +
                 (sql.empty() ? "" : " [" + sql + "]")) {}
};

}  // namespace vemora::gateways
