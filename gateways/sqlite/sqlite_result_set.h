// A forward-reading result set over one prepared SQLite statement.
//
// Rows stream: each Next() steps the statement, and a value is converted only when a field
// asks for it. With a DeferredBlobPlan the statement carries only the lengths of blob columns,
// and a blob's bytes are read from the table when its field is read, so walking the texts
// of a catalogue never reads its images. The result set owns its statement until Close();
// the gateway that created it owns the result set itself.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sqlite/lazy_blob_query.h"
#include "vemora/gateway.h"

namespace vemora::gateways {

class SqliteResultSet;

class SqliteField final : public TDBField, public TDBFieldBytes {
 public:
  SqliteField(const SqliteResultSet& owner, DeferredBlobPlan::Column column)
      : owner_(owner), column_(std::move(column)) {}
  int32_t AsInteger() const override;
  std::string AsString() const override;
  void SaveToFile(const std::string& path) const override;
  // Null or empty: what a caller needs to know to tell "no image" from an image.
  bool IsNull() const override;
  // A value in the statement's row, as SQLite holds it.
  std::optional<std::string_view> LendBytes() const override;
  const std::string& name() const { return column_.name; }

 private:
  bool IsDeferredBlob(sqlite3_stmt* statement) const;
  // The value's bytes when they sit in the statement's row (not a deferred blob).
  std::string_view RowBytes(sqlite3_stmt* statement) const;

  const SqliteResultSet& owner_;
  DeferredBlobPlan::Column column_;
};

class SqliteResultSet final : public TDBResultSet {
 public:
  // Takes over `statement`, which has not been stepped yet, and moves to the first row.
  // `sql` is the query as the caller wrote it, for error messages and the row count. With a
  // plan, `statement` is the plan's query. `connectionInUse`, when given, is set while the
  // result set is open and cleared by Close(), which hands the connection back.
  SqliteResultSet(sqlite3* db, sqlite3_stmt* statement, std::string sql,
                  std::optional<DeferredBlobPlan> plan, bool* connectionInUse);
  ~SqliteResultSet() override;
  SqliteResultSet(const SqliteResultSet&) = delete;
  SqliteResultSet& operator=(const SqliteResultSet&) = delete;

  int32_t RecordCount() override;
  void First() override;
  void Next() override;
  bool Eof() const override;
  TDBField& FieldByName(std::string_view name) override;
  TDBField* FindField(std::string_view name) override;
  void Close() override;

  bool closed() const { return statement_ == nullptr; }
  // The live statement; throws when the result set is closed or past its last row.
  sqlite3_stmt* RowStatement() const;
  // Opens the current row's deferred blob in `column` for reading.
  sqlite3_blob* OpenBlob(const std::string& column) const;
  const std::string& sql() const { return sql_; }
  // Whether the database keeps its texts as UTF-8, as this library reads them.
  bool textIsUtf8() const { return textIsUtf8_; }

 private:
  void Step();

  sqlite3* db_;
  sqlite3_stmt* statement_;
  std::string sql_;
  std::optional<DeferredBlobPlan> plan_;
  bool* connectionInUse_;
  bool textIsUtf8_;
  bool eof_ = false;
  bool onFirstRow_ = false;
  std::optional<int32_t> recordCount_;
  std::vector<std::unique_ptr<SqliteField>> fields_;
};

}  // namespace vemora::gateways
