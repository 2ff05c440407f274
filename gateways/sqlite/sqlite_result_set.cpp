#include "sqlite/sqlite_result_set.h"

#include <fstream>

#include "common/dialect.h"
#include "platform/utf8_path.h"
#include "sqlite/sqlite_error.h"

namespace vemora::gateways {
namespace {

// Closes an incremental blob handle on every way out.
struct BlobGuard {
  sqlite3_blob* blob = nullptr;
  ~BlobGuard() { sqlite3_blob_close(blob); }
};

// Deferred blobs are copied to a file in pieces, never whole in memory.
constexpr int kFileChunkBytes = 1 << 20;

// A reader connection maps the file while its query is open: a page read through the map
// costs no system call and no copy, and a catalogue load reads every page of the table.
// The map goes with the query, so an idle gateway holds none of the file's pages.
constexpr const char* kMapWhileReading = "PRAGMA mmap_size=1073741824";
constexpr const char* kUnmap = "PRAGMA mmap_size=0";

bool TextIsUtf8(sqlite3* db) {
  sqlite3_stmt* statement = nullptr;
  bool utf8 = false;
  if (sqlite3_prepare_v2(db, "PRAGMA encoding", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW) {
    const auto* encoding = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    utf8 = encoding != nullptr && std::string_view(encoding) == "UTF-8";
  }
  sqlite3_finalize(statement);
  return utf8;
}

}  // namespace

bool SqliteField::IsDeferredBlob(sqlite3_stmt* statement) const {
  return column_.lengthIndex >= 0 &&
         sqlite3_column_type(statement, column_.lengthIndex) != SQLITE_NULL;
}

std::string_view SqliteField::RowBytes(sqlite3_stmt* statement) const {
  const int index = column_.valueIndex;
  // A text asked for as a blob comes as the database keeps it, where sqlite3_column_text
  // would first copy it to end it with a zero; kept as UTF-8, that is the text itself.
  const bool asStored = owner_.textIsUtf8() || sqlite3_column_type(statement, index) == SQLITE_BLOB;
  // Pointer first, then size: the order sqlite3 documents as conversion-safe.
  const void* data = asStored ? sqlite3_column_blob(statement, index)
                              : static_cast<const void*>(sqlite3_column_text(statement, index));
  const int size = sqlite3_column_bytes(statement, index);
  if (data == nullptr) return {};
  return {static_cast<const char*>(data), static_cast<size_t>(size)};
}

int32_t SqliteField::AsInteger() const {
  sqlite3_stmt* statement = owner_.RowStatement();
  if (IsDeferredBlob(statement)) return 0;
  return static_cast<int32_t>(sqlite3_column_int64(statement, column_.valueIndex));
}

std::string SqliteField::AsString() const {
  sqlite3_stmt* statement = owner_.RowStatement();
  if (const std::optional<std::string_view> lent = LendBytes()) return std::string(*lent);
  const int size = sqlite3_column_int(statement, column_.lengthIndex);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size == 0) return bytes;
  BlobGuard guard{owner_.OpenBlob(column_.tableColumn)};
  // The length in the row and the blob read agree: both come from this connection's view.
  if (sqlite3_blob_read(guard.blob, bytes.data(), size, 0) != SQLITE_OK) {
    throw TDBError("SQLite: cannot read blob " + column_.tableColumn + " in: " + owner_.sql());
  }
  return bytes;
}

std::optional<std::string_view> SqliteField::LendBytes() const {
  sqlite3_stmt* statement = owner_.RowStatement();
  if (IsDeferredBlob(statement)) return std::nullopt;
  return RowBytes(statement);
}

bool SqliteField::IsNull() const {
  sqlite3_stmt* statement = owner_.RowStatement();
  if (IsDeferredBlob(statement)) return sqlite3_column_int(statement, column_.lengthIndex) == 0;
  return sqlite3_column_type(statement, column_.valueIndex) == SQLITE_NULL ||
         sqlite3_column_bytes(statement, column_.valueIndex) == 0;
}

void SqliteField::SaveToFile(const std::string& path) const {
  sqlite3_stmt* statement = owner_.RowStatement();
  std::ofstream file(platform::PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  if (!IsDeferredBlob(statement)) {
    const std::string_view bytes = RowBytes(statement);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  } else if (const int size = sqlite3_column_int(statement, column_.lengthIndex); size > 0) {
    BlobGuard guard{owner_.OpenBlob(column_.tableColumn)};
    std::string chunk(static_cast<size_t>(std::min(size, kFileChunkBytes)), '\0');
    for (int offset = 0; offset < size && file;) {
      const int count = std::min(size - offset, kFileChunkBytes);
      if (sqlite3_blob_read(guard.blob, chunk.data(), count, offset) != SQLITE_OK) {
        throw TDBError("SQLite: cannot read blob " + column_.tableColumn + " in: " + owner_.sql());
      }
      file.write(chunk.data(), count);
      offset += count;
    }
  }
  file.close();
  if (!file) throw TDBError("cannot write file " + path);
}

SqliteResultSet::SqliteResultSet(sqlite3* db, sqlite3_stmt* statement, std::string sql,
                                 std::optional<DeferredBlobPlan> plan, bool* connectionInUse)
    : db_(db),
      statement_(statement),
      sql_(std::move(sql)),
      plan_(std::move(plan)),
      connectionInUse_(connectionInUse),
      textIsUtf8_(TextIsUtf8(db)) {
  if (connectionInUse_) {
    *connectionInUse_ = true;
    // Without the map the query reads as it always could.
    sqlite3_exec(db_, kMapWhileReading, nullptr, nullptr, nullptr);
  }
  if (plan_) {
    for (const DeferredBlobPlan::Column& column : plan_->columns) {
      fields_.push_back(std::make_unique<SqliteField>(*this, column));
    }
  } else {
    const int columns = sqlite3_column_count(statement_);
    for (int i = 0; i < columns; ++i) {
      const char* name = sqlite3_column_name(statement_, i);
      const std::string shown = name ? name : "";
      fields_.push_back(
          std::make_unique<SqliteField>(*this, DeferredBlobPlan::Column{shown, shown, i, -1}));
    }
  }
  try {
    Step();
  } catch (...) {
    Close();
    throw;
  }
  onFirstRow_ = true;
}

SqliteResultSet::~SqliteResultSet() { Close(); }

void SqliteResultSet::Step() {
  const int rc = sqlite3_step(statement_);
  onFirstRow_ = false;
  eof_ = rc != SQLITE_ROW;
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw SqliteError(db_, sql_);
}

int32_t SqliteResultSet::RecordCount() {
  if (!recordCount_) {
    if (closed()) throw TDBError("result set is closed: " + sql_);
    // A separate count keeps the rows unread; the query runs again inside the engine only.
    const std::string count = CountQuery(TranslateStatement(sql_, SqlEngine::Sqlite).sql);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, count.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      throw SqliteError(db_, count);
    }
    const int rc = sqlite3_step(statement);
    const int64_t rows = rc == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW) throw SqliteError(db_, count);
    recordCount_ = static_cast<int32_t>(rows);
  }
  return *recordCount_;
}

void SqliteResultSet::First() {
  if (closed()) throw TDBError("result set is closed: " + sql_);
  if (onFirstRow_) return;
  sqlite3_reset(statement_);
  Step();
  onFirstRow_ = true;
}

void SqliteResultSet::Next() {
  if (closed()) throw TDBError("result set is closed: " + sql_);
  if (!eof_) Step();
}

bool SqliteResultSet::Eof() const { return eof_ || closed(); }

TDBField* SqliteResultSet::FindField(std::string_view name) {
  for (const auto& field : fields_) {
    if (SameName(field->name(), name)) return field.get();
  }
  return nullptr;
}

TDBField& SqliteResultSet::FieldByName(std::string_view name) {
  TDBField* field = FindField(name);
  if (!field) throw TDBError("field '" + std::string(name) + "' not found in: " + sql_);
  return *field;
}

void SqliteResultSet::Close() {
  if (statement_) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    if (connectionInUse_) {
      sqlite3_exec(db_, kUnmap, nullptr, nullptr, nullptr);
      *connectionInUse_ = false;
    }
  }
  eof_ = true;
}

sqlite3_stmt* SqliteResultSet::RowStatement() const {
  if (closed()) throw TDBError("result set is closed: " + sql_);
  if (eof_) throw TDBError("no current row in: " + sql_);
  return statement_;
}

sqlite3_blob* SqliteResultSet::OpenBlob(const std::string& column) const {
  const sqlite3_int64 rowid = sqlite3_column_int64(RowStatement(), plan_->keyIndex);
  sqlite3_blob* blob = nullptr;
  if (sqlite3_blob_open(db_, "main", plan_->table.c_str(), column.c_str(), rowid, 0, &blob) !=
      SQLITE_OK) {
    sqlite3_blob_close(blob);
    throw SqliteError(db_, sql_);
  }
  return blob;
}

}  // namespace vemora::gateways
