#include "sqlite/sqlite_gateway.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>

#include "common/catalogue_schema.h"
#include "common/dialect.h"
#include "sqlite/lazy_blob_query.h"
#include "sqlite/sqlite_error.h"
#include "sqlite/sqlite_result_set.h"

namespace vemora::gateways {
namespace {

// Finalizes a statement on every way out of a scope.
struct StatementGuard {
  sqlite3_stmt* statement = nullptr;
  ~StatementGuard() { sqlite3_finalize(statement); }
};

void BindValue(sqlite3* db, sqlite3_stmt* statement, int index, const TDBValue& value,
               const std::string& sql) {
  int rc = SQLITE_OK;
  // SQLITE_STATIC: the values outlive the statement's execution inside Execute.
  switch (value.kind()) {
    case TDBValue::Kind::Unassigned:
      rc = sqlite3_bind_null(statement, index);
      break;
    case TDBValue::Kind::Integer:
      rc = sqlite3_bind_int(statement, index, value.integer());
      break;
    case TDBValue::Kind::Text:
      rc = sqlite3_bind_text64(statement, index, value.text().data(), value.text().size(),
                               SQLITE_STATIC, SQLITE_UTF8);
      break;
    case TDBValue::Kind::Bytes:
      if (value.IsBlob()) {
        const std::string_view bytes = value.BlobBytes();
        rc = sqlite3_bind_blob64(statement, index, bytes.data(), bytes.size(), SQLITE_STATIC);
      } else {
        rc = sqlite3_bind_text64(statement, index, value.text().data(), value.text().size(),
                                 SQLITE_STATIC, SQLITE_UTF8);
      }
      break;
  }
  if (rc != SQLITE_OK) throw SqliteError(db, sql);
}

// Binds the values to a statement whose markers were numbered ?1..?n over the whole text;
// a statement of a multi-statement text carries only its own numbers.
void BindValues(sqlite3* db, sqlite3_stmt* statement, const std::vector<TDBValue>& values,
                const std::string& sql) {
  const int count = sqlite3_bind_parameter_count(statement);
  for (int i = 1; i <= count; ++i) {
    const char* name = sqlite3_bind_parameter_name(statement, i);
    if (name == nullptr || name[0] != '?') continue;
    size_t position = 0;
    std::from_chars(name + 1, name + std::char_traits<char>::length(name), position);
    if (position == 0 || position > values.size()) continue;
    BindValue(db, statement, i, values[position - 1], sql);
  }
}

// Opens a connection with the settings every connection of the gateway shares.
sqlite3* OpenConnection(const std::string& path, int flags) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    throw TDBError("SQLite: cannot open " + path + ": " + reason);
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, SqliteGateway::kBusyTimeoutMilliseconds);
  return db;
}

bool IsInMemory(const std::string& path) {
  return path.empty() || path == ":memory:" || path.find("mode=memory") != std::string::npos;
}

}  // namespace

SqliteGateway::SqliteGateway(const std::string& path)
    : db_(OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)),
      path_(path),
      inMemory_(IsInMemory(path)) {
  try {
    // Changing the journal mode needs a moment of exclusive access; the busy timeout
    // covers a second process doing the same at the same time.
    ExecSQL("PRAGMA journal_mode=WAL", 4);
    // WAL's NORMAL sync keeps the file consistent after a crash at a fraction of FULL's cost.
    ExecSQL("PRAGMA synchronous=NORMAL", 4);
  } catch (...) {
    sqlite3_close_v2(db_);
    throw;
  }
}

SqliteGateway::~SqliteGateway() {
  resultSets_.clear();  // finalizes their statements before the connections go
  for (const auto& reader : readers_) sqlite3_close_v2(reader->db);
  sqlite3_close_v2(db_);
}

SqliteGateway::Reader& SqliteGateway::IdleReader() {
  for (const auto& reader : readers_) {
    if (!reader->inUse) return *reader;
  }
  readers_.push_back(std::make_unique<Reader>());
  readers_.back()->db = OpenConnection(path_, SQLITE_OPEN_READWRITE);
  return *readers_.back();
}

void SqliteGateway::Execute(const std::string& sql, const std::vector<TDBValue>* values) {
  const TranslatedStatement translated = TranslateStatement(sql, SqlEngine::Sqlite);
  const int given = values ? static_cast<int>(values->size()) : 0;
  if (translated.markerCount != given) {
    throw TDBError("SQLite: statement has " + std::to_string(translated.markerCount) +
                   " parameter markers but " + std::to_string(given) + " values [" + sql + "]");
  }
  const char* next = translated.sql.c_str();
  while (*next != '\0') {
    StatementGuard guard;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, next, -1, &guard.statement, &tail) != SQLITE_OK) {
      throw SqliteError(db_, sql);
    }
    next = tail;
    if (guard.statement == nullptr) continue;  // blanks or a comment
    if (values) BindValues(db_, guard.statement, *values, sql);
    int rc;
    while ((rc = sqlite3_step(guard.statement)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) throw SqliteError(db_, sql);
  }
}

void SqliteGateway::ExecSQL(const std::string& sql, uint8_t /*mode*/) { Execute(sql, nullptr); }

void SqliteGateway::ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values,
                                  int32_t /*option1*/, int32_t /*option2*/) {
  Execute(sql, &values);
}

void SqliteGateway::FreeClosedResultSets() {
  std::erase_if(resultSets_, [](const auto& resultSet) { return resultSet->closed(); });
}

TDBResultSet* SqliteGateway::OpenSQL(const std::string& sql, int32_t /*option1*/,
                                     int32_t /*option2*/) {
  FreeClosedResultSets();
  const TranslatedStatement translated = TranslateStatement(sql, SqlEngine::Sqlite);
  if (translated.markerCount != 0) {
    throw TDBError("SQLite: a query cannot carry parameter markers [" + sql + "]");
  }
  sqlite3* db = db_;
  bool* inUse = nullptr;
  if (!inMemory_) {
    Reader& reader = IdleReader();
    db = reader.db;
    inUse = &reader.inUse;
  }
  std::optional<DeferredBlobPlan> plan = PlanLazyBlobs(db, translated.sql);
  sqlite3_stmt* statement = nullptr;
  // A table without row ids cannot defer its blobs; it is read the plain way.
  if (plan && sqlite3_prepare_v2(db, plan->sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    plan.reset();
  }
  if (!plan &&
      sqlite3_prepare_v2(db, translated.sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw SqliteError(db, sql);
  }
  if (statement == nullptr) throw TDBError("SQLite: empty query");
  resultSets_.push_back(
      std::make_unique<SqliteResultSet>(db, statement, sql, std::move(plan), inUse));
  return resultSets_.back().get();
}

void SqliteGateway::AddField(const std::string& table, const std::string& column, int32_t fieldType,
                             int32_t size, const TDBValue& /*defaultValue*/) {
  const std::string type = ColumnTypeFor(fieldType, size, SqlEngine::Sqlite, table, column);
  ExecSQL("ALTER TABLE [" + std::string(BareName(table)) + "] ADD COLUMN [" +
              std::string(BareName(column)) + "] " + type,
          4);
}

bool SqliteGateway::FieldExists(const std::string& table, const std::string& column,
                                int32_t /*option1*/, int32_t /*option2*/) {
  // table_info's argument is an identifier, not a value: pass it as a bound text so a
  // name never becomes SQL.
  const std::string sql = "SELECT name FROM pragma_table_info(?1)";
  StatementGuard guard;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &guard.statement, nullptr) != SQLITE_OK) {
    throw SqliteError(db_, sql);
  }
  const std::string_view bare = BareName(table);
  sqlite3_bind_text64(guard.statement, 1, bare.data(), bare.size(), SQLITE_STATIC, SQLITE_UTF8);
  const std::string_view wanted = BareName(column);
  int rc;
  while ((rc = sqlite3_step(guard.statement)) == SQLITE_ROW) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(guard.statement, 0));
    if (name && SameName(name, wanted)) return true;
  }
  if (rc != SQLITE_DONE) throw SqliteError(db_, sql);
  return false;
}

void SqliteGateway::CreateCatalogueTables() {
  for (const std::string& statement : CatalogueSchemaStatements(SqlEngine::Sqlite)) {
    ExecSQL(statement, 4);
  }
}

}  // namespace vemora::gateways
