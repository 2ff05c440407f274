// A forward-reading result set over a server-side cursor, fetched in batches.
//
// The cursor lives in the reader connection's transaction, which stays open while any of the
// gateway's result sets is open. Rows arrive in binary format, so a bytea value is handed
// out from libpq's own buffer; batches are sized to a few megabytes. A plain selection from
// one table defers the images (common/deferred_blobs.h): the row carries their length only,
// and the previews come with the row. The first field that asks for a small deferred blob
// fetches that column for the whole batch in one query; a large one is fetched for its row
// alone. So walking the texts and previews of a catalogue transfers no image.
// While the caller reads a batch, the next one is already on its way (the connection's
// reading ahead), so the server's work and the caller's overlap.
// The gateway owns the result set.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/deferred_blobs.h"
#include "postgres/postgres_connection.h"
#include "vemora/gateway.h"

namespace vemora::gateways {

// The reader connection and its one transaction, shared by the open result sets.
struct PostgresReader {
  PostgresReader(const std::string& conninfo, int connectTimeoutSeconds)
      : connection(conninfo, connectTimeoutSeconds) {}
  PostgresConnection connection;
  int openCursors = 0;
  // Bumped when the connection is made again; cursors of an older generation are gone.
  int generation = 0;
};

class PostgresResultSet;

class PostgresField final : public TDBField, public TDBFieldBytes {
 public:
  PostgresField(const PostgresResultSet& owner, DeferredBlobPlan::Column column)
      : owner_(owner), column_(std::move(column)) {}
  int32_t AsInteger() const override;
  std::string AsString() const override;
  void SaveToFile(const std::string& path) const override;
  bool IsNull() const override;
  // A value that came with the row, as libpq holds it.
  std::optional<std::string_view> LendBytes() const override;
  const std::string& name() const { return column_.name; }

 private:
  // A deferred blob's bytes, fetched now; null when the column is not deferred here.
  PgResult FetchDeferred() const;

  const PostgresResultSet& owner_;
  DeferredBlobPlan::Column column_;
};

// Blob columns whose bytes wait until asked for whatever their size: (table, column), both in
// lower case.
using LeftOutColumns = std::vector<std::pair<std::string, std::string>>;

class PostgresResultSet final : public TDBResultSet {
 public:
  // Declares the cursor and fetches the first batch. `sql` is the caller's text, `translated`
  // its PostgreSQL form.
  PostgresResultSet(std::shared_ptr<PostgresReader> reader, std::string cursorName, std::string sql,
                    std::string translated, const LeftOutColumns& leftOut = {});
  ~PostgresResultSet() override;
  PostgresResultSet(const PostgresResultSet&) = delete;
  PostgresResultSet& operator=(const PostgresResultSet&) = delete;

  int32_t RecordCount() override;
  void First() override;
  void Next() override;
  bool Eof() const override;
  TDBField& FieldByName(std::string_view name) override;
  TDBField* FindField(std::string_view name) override;
  void Close() override;

  bool closed() const { return closed_; }
  // The current row's value; throws when there is no current row.
  struct Cell {
    std::string_view bytes;
    bool isNull;
    unsigned int type;
  };
  Cell CellAt(int column) const;
  // Fetches the current row's value of a deferred blob column (one row, one column).
  PgResult FetchBlob(const std::string& tableColumn) const;
  // The current row's value of a small deferred blob column, fetched for the whole batch
  // the first time a row of the batch asks; none when the key cannot be listed that way.
  std::optional<std::string_view> BatchBlob(const DeferredBlobPlan::Column& column) const;

 private:
  void Plan(const LeftOutColumns& leftOut);
  void Declare();
  void FetchBatch();
  std::string FetchStatement(int rows) const;
  void RequireOpen() const;

  std::shared_ptr<PostgresReader> reader_;
  std::string cursorName_;
  std::string sql_;
  std::string translated_;
  int generation_ = 0;
  bool closed_ = false;
  PgResult batch_;
  int row_ = 0;                   // index in batch_
  int batchRows_ = 64;            // rows asked for by the next FETCH
  int aheadRows_ = 0;             // rows asked for by the FETCH sent ahead, 0: none sent
  bool cursorExhausted_ = false;  // the last FETCH returned fewer rows than asked
  bool onFirstRow_ = false;
  std::optional<int32_t> recordCount_;
  std::optional<DeferredBlobPlan> plan_;
  // Small deferred blobs of the current batch, by table column: the fetched rows and the row
  // of each key among them.
  struct BatchBlobs {
    PgResult rows;
    std::unordered_map<int64_t, int> rowOfKey;
  };
  mutable std::unordered_map<std::string, BatchBlobs> batchBlobs_;
  std::vector<std::unique_ptr<PostgresField>> fields_;
};

}  // namespace vemora::gateways
