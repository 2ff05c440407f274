#include "postgres/postgres_result_set.h"

#include <algorithm>
#include <fstream>

#include "common/dialect.h"
#include "platform/utf8_path.h"
#include "postgres/postgres_binary.h"

namespace vemora::gateways {
namespace {

// A batch aims at this many bytes: large enough that round trips do not dominate small rows,
// small enough that a catalogue of camera images never sits in memory at once.
constexpr int64_t kBatchTargetBytes = 4 << 20;
constexpr int kMaxBatchRows = 1000;
constexpr int kFirstBatchRowsUnknownShape = 4;
// While a batch is read, what has arrived of the next one is taken in every so many rows.
constexpr int kPumpEveryRows = 16;

// Deferred blobs up to this size (icons, tiny images) are fetched a batch at a time; larger
// ones, row by row, so that a batch of camera images never sits in memory at once.
constexpr int64_t kBatchBlobMaximumBytes = kDeferredBlobMinimumBytes;

}  // namespace

PgResult PostgresField::FetchDeferred() const {
  if (column_.lengthIndex < 0) return nullptr;
  const auto length = owner_.CellAt(column_.lengthIndex);
  if (length.isNull) return nullptr;
  return owner_.FetchBlob(column_.tableColumn);
}

int32_t PostgresField::AsInteger() const {
  const auto cell = owner_.CellAt(column_.valueIndex);
  if (cell.isNull) return 0;
  return static_cast<int32_t>(BinaryToInteger(cell.bytes, cell.type));
}

std::string PostgresField::AsString() const {
  if (column_.lengthIndex >= 0) {
    const auto length = owner_.CellAt(column_.lengthIndex);
    if (!length.isNull && BinaryToInteger(length.bytes, length.type) <= kBatchBlobMaximumBytes) {
      if (const std::optional<std::string_view> bytes = owner_.BatchBlob(column_))
        return std::string(*bytes);
    }
  }
  if (PgResult blob = FetchDeferred()) {
    if (PQntuples(blob.get()) == 0 || PQgetisnull(blob.get(), 0, 0)) return {};
    return {PQgetvalue(blob.get(), 0, 0), static_cast<size_t>(PQgetlength(blob.get(), 0, 0))};
  }
  const auto cell = owner_.CellAt(column_.valueIndex);
  if (cell.isNull) return {};
  return BinaryToText(cell.bytes, cell.type);
}

std::optional<std::string_view> PostgresField::LendBytes() const {
  if (column_.lengthIndex >= 0 && !owner_.CellAt(column_.lengthIndex).isNull) return std::nullopt;
  const auto cell = owner_.CellAt(column_.valueIndex);
  if (cell.isNull) return std::string_view();
  if (!IsRawBytesType(cell.type)) return std::nullopt;
  return cell.bytes;
}

// Null or empty, as the embedded gateway answers: "no image" either way.
bool PostgresField::IsNull() const {
  if (column_.lengthIndex >= 0) {
    const auto length = owner_.CellAt(column_.lengthIndex);
    if (!length.isNull) return BinaryToInteger(length.bytes, length.type) == 0;
  }
  const auto cell = owner_.CellAt(column_.valueIndex);
  return cell.isNull || cell.bytes.empty();
}

void PostgresField::SaveToFile(const std::string& path) const {
  PgResult blob = FetchDeferred();
  const auto cell = owner_.CellAt(column_.valueIndex);
  std::ofstream file(platform::PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  // Texts and blobs are written straight from libpq's buffer; numbers in decimal.
  if (blob) {
    if (PQntuples(blob.get()) > 0) {
      file.write(PQgetvalue(blob.get(), 0, 0), PQgetlength(blob.get(), 0, 0));
    }
  } else if (IsRawBytesType(cell.type)) {
    file.write(cell.bytes.data(), static_cast<std::streamsize>(cell.bytes.size()));
  } else if (!cell.isNull) {
    file << BinaryToText(cell.bytes, cell.type);
  }
  file.close();
  if (!file) throw TDBError("cannot write file " + path);
}

PostgresResultSet::PostgresResultSet(std::shared_ptr<PostgresReader> reader, std::string cursorName,
                                     std::string sql, std::string translated,
                                     const LeftOutColumns& leftOut)
    : reader_(std::move(reader)),
      cursorName_(std::move(cursorName)),
      sql_(std::move(sql)),
      translated_(std::move(translated)) {
  PostgresConnection& connection = reader_->connection;
  if (connection.IsBroken()) {
    connection.EnsureConnected();
    ++reader_->generation;
    reader_->openCursors = 0;
  }
  if (reader_->openCursors == 0) connection.Run("BEGIN", sql_);
  generation_ = reader_->generation;
  ++reader_->openCursors;
  try {
    Plan(leftOut);
    Declare();
    FetchBatch();
  } catch (...) {
    Close();
    throw;
  }
  if (plan_) {
    for (const DeferredBlobPlan::Column& column : plan_->columns) {
      fields_.push_back(std::make_unique<PostgresField>(*this, column));
    }
  } else {
    for (int i = 0; i < PQnfields(batch_.get()); ++i) {
      const std::string name = PQfname(batch_.get(), i);
      fields_.push_back(
          std::make_unique<PostgresField>(*this, DeferredBlobPlan::Column{name, name, i, -1}));
    }
  }
  onFirstRow_ = true;
}

PostgresResultSet::~PostgresResultSet() { Close(); }

void PostgresResultSet::Plan(const LeftOutColumns& leftOut) {
  const std::optional<SimpleSelect> select = ParseSimpleSelect(translated_);
  // A query of unknown shape may carry whole images in every row: its first batch is small
  // until the sizes are known.
  if (!select) {
    batchRows_ = kFirstBatchRowsUnknownShape;
    return;
  }
  // The table's columns and its single-column primary key, by which a blob is fetched later.
  static const std::string kColumnsQuery =
      "SELECT a.attname::text, a.atttypid = 'bytea'::regtype, "
      "coalesce(a.attnum = i.indkey[0], false) "
      "FROM pg_attribute a LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary "
      "AND i.indnatts = 1 "
      "WHERE a.attrelid = to_regclass(quote_ident(lower($1))) AND a.attnum > 0 "
      "AND NOT a.attisdropped ORDER BY a.attnum";
  const PgResult result = reader_->connection.Query(
      kColumnsQuery, MakeParameters({TDBValue::Text(select->table)}), false, sql_);
  std::vector<TableColumn> columns;
  std::string key;
  for (int row = 0; row < PQntuples(result.get()); ++row) {
    columns.push_back(
        {PQgetvalue(result.get(), row, 0), PQgetvalue(result.get(), row, 1)[0] == 't'});
    if (PQgetvalue(result.get(), row, 2)[0] == 't') key = columns.back().name;
  }
  if (key.empty()) return;  // no such table, or no key to fetch a row by
  std::vector<std::string> columnsLeftOut;
  for (const auto& [table, column] : leftOut)
    if (table == AsciiLower(select->table)) columnsLeftOut.push_back(column);
  plan_ = PlanDeferredBlobs(*select, columns, key, SqlEngine::Postgres, columnsLeftOut);
}

PgResult PostgresResultSet::FetchBlob(const std::string& tableColumn) const {
  const Cell key = CellAt(plan_->keyIndex);
  // The key goes back exactly as it came: same type, binary.
  PgParameters parameters;
  parameters.types = {key.type};
  parameters.values = {key.bytes.data()};
  parameters.lengths = {static_cast<int>(key.bytes.size())};
  parameters.formats = {1};
  const std::string sql = "SELECT \"" + tableColumn + "\" FROM \"" + AsciiLower(plan_->table) +
                          "\" WHERE \"" + plan_->keyColumn + "\" = $1";
  return reader_->connection.Query(sql, parameters, true, sql_);
}

std::optional<std::string_view> PostgresResultSet::BatchBlob(
    const DeferredBlobPlan::Column& column) const {
  const Cell key = CellAt(plan_->keyIndex);
  if (!IsIntegerType(key.type)) return std::nullopt;
  auto found = batchBlobs_.find(column.tableColumn);
  if (found == batchBlobs_.end()) {
    // Every key of the batch whose value is small, as an array literal.
    std::string keys = "{";
    PGresult* batch = batch_.get();
    for (int row = 0; row < PQntuples(batch); ++row) {
      if (PQgetisnull(batch, row, column.lengthIndex)) continue;
      const std::string_view length(
          PQgetvalue(batch, row, column.lengthIndex),
          static_cast<size_t>(PQgetlength(batch, row, column.lengthIndex)));
      if (BinaryToInteger(length, PQftype(batch, column.lengthIndex)) > kBatchBlobMaximumBytes)
        continue;
      const std::string_view value(PQgetvalue(batch, row, plan_->keyIndex),
                                   static_cast<size_t>(PQgetlength(batch, row, plan_->keyIndex)));
      if (keys.size() > 1) keys += ',';
      keys += std::to_string(BinaryToInteger(value, key.type));
    }
    keys += '}';
    const std::string sql = "SELECT \"" + plan_->keyColumn + "\", \"" + column.tableColumn +
                            "\" FROM \"" + AsciiLower(plan_->table) + "\" WHERE \"" +
                            plan_->keyColumn + "\" = ANY($1::int8[])";
    BatchBlobs blobs;
    blobs.rows = reader_->connection.Query(sql, MakeParameters({TDBValue::Text(keys)}), true, sql_);
    PGresult* rows = blobs.rows.get();
    for (int row = 0; row < PQntuples(rows); ++row) {
      const std::string_view value(PQgetvalue(rows, row, 0),
                                   static_cast<size_t>(PQgetlength(rows, row, 0)));
      blobs.rowOfKey.emplace(BinaryToInteger(value, PQftype(rows, 0)), row);
    }
    found = batchBlobs_.emplace(column.tableColumn, std::move(blobs)).first;
  }
  const auto row = found->second.rowOfKey.find(BinaryToInteger(key.bytes, key.type));
  // A row deleted since the batch was read has no value any more.
  if (row == found->second.rowOfKey.end()) return std::string_view();
  PGresult* rows = found->second.rows.get();
  if (PQgetisnull(rows, row->second, 1)) return std::string_view();
  return std::string_view(PQgetvalue(rows, row->second, 1),
                          static_cast<size_t>(PQgetlength(rows, row->second, 1)));
}

void PostgresResultSet::Declare() {
  PostgresConnection& connection = reader_->connection;
  // A failing DECLARE would abort the transaction and with it the other open cursors; the
  // savepoint confines the failure to this query.
  const bool shared = reader_->openCursors > 1;
  if (shared) connection.Run("SAVEPOINT vemora_declare", sql_);
  try {
    connection.Query(
        "DECLARE " + cursorName_ + " NO SCROLL CURSOR FOR " + (plan_ ? plan_->sql : translated_),
        {}, false, sql_);
  } catch (...) {
    if (shared) connection.RunQuietly("ROLLBACK TO SAVEPOINT vemora_declare");
    throw;
  }
  if (shared) connection.Run("RELEASE SAVEPOINT vemora_declare", sql_);
  cursorExhausted_ = false;
}

void PostgresResultSet::FetchBatch() {
  if (reader_->generation != generation_) {
    throw TDBError("PostgreSQL: the connection was lost while reading [" + sql_ + "]");
  }
  batchBlobs_.clear();
  PostgresConnection& connection = reader_->connection;
  int asked = aheadRows_;
  aheadRows_ = 0;
  batch_ = connection.TakeAhead(cursorName_, sql_);
  if (!batch_) {
    asked = batchRows_;
    batch_ = connection.Query(FetchStatement(asked), {}, true, sql_);
  }
  row_ = 0;
  const int rows = PQntuples(batch_.get());
  cursorExhausted_ = rows < asked;
  if (rows > 0) {
    int64_t bytes = 0;
    const int columns = PQnfields(batch_.get());
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) bytes += PQgetlength(batch_.get(), r, c);
    }
    const int64_t perRow = std::max<int64_t>(1, bytes / rows);
    batchRows_ =
        static_cast<int>(std::clamp<int64_t>(kBatchTargetBytes / perRow, 1, kMaxBatchRows));
  }
  if (!cursorExhausted_ && connection.SendAhead(cursorName_, FetchStatement(batchRows_)))
    aheadRows_ = batchRows_;
}

std::string PostgresResultSet::FetchStatement(int rows) const {
  return "FETCH FORWARD " + std::to_string(rows) + " FROM " + cursorName_;
}

void PostgresResultSet::RequireOpen() const {
  if (closed_) throw TDBError("result set is closed: " + sql_);
}

int32_t PostgresResultSet::RecordCount() {
  if (!recordCount_) {
    RequireOpen();
    PgResult result = reader_->connection.Query(CountQuery(translated_), {}, true, sql_);
    recordCount_ = static_cast<int32_t>(BinaryToInteger(
        {PQgetvalue(result.get(), 0, 0), static_cast<size_t>(PQgetlength(result.get(), 0, 0))},
        PQftype(result.get(), 0)));
  }
  return *recordCount_;
}

void PostgresResultSet::First() {
  RequireOpen();
  if (onFirstRow_) return;
  reader_->connection.DropAhead(cursorName_);
  aheadRows_ = 0;
  reader_->connection.Run("CLOSE " + cursorName_, sql_);
  Declare();
  FetchBatch();
  onFirstRow_ = true;
}

void PostgresResultSet::Next() {
  RequireOpen();
  if (Eof()) return;
  onFirstRow_ = false;
  ++row_;
  if (row_ >= PQntuples(batch_.get()) && !cursorExhausted_) {
    FetchBatch();
  } else if (aheadRows_ > 0 && row_ % kPumpEveryRows == 0) {
    reader_->connection.PumpAhead();
  }
}

bool PostgresResultSet::Eof() const {
  return closed_ || !batch_ || row_ >= PQntuples(batch_.get());
}

TDBField* PostgresResultSet::FindField(std::string_view name) {
  for (const auto& field : fields_) {
    if (SameName(field->name(), name)) return field.get();
  }
  return nullptr;
}

TDBField& PostgresResultSet::FieldByName(std::string_view name) {
  TDBField* field = FindField(name);
  if (!field) throw TDBError("field '" + std::string(name) + "' not found in: " + sql_);
  return *field;
}

PostgresResultSet::Cell PostgresResultSet::CellAt(int column) const {
  RequireOpen();
  if (Eof()) throw TDBError("no current row in: " + sql_);
  PGresult* batch = batch_.get();
  return {{PQgetvalue(batch, row_, column), static_cast<size_t>(PQgetlength(batch, row_, column))},
          PQgetisnull(batch, row_, column) != 0,
          PQftype(batch, column)};
}

void PostgresResultSet::Close() {
  if (closed_) return;
  closed_ = true;
  batchBlobs_.clear();
  batch_.reset();
  if (reader_->generation != generation_) return;  // the cursor went with the old connection
  reader_->connection.DropAhead(cursorName_);
  // The last open cursor ends the transaction (which closes the cursor too).
  if (--reader_->openCursors == 0) {
    reader_->connection.RunQuietly("COMMIT");
  } else {
    reader_->connection.RunQuietly("CLOSE " + cursorName_);
  }
}

}  // namespace vemora::gateways
