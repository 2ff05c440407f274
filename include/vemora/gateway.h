// The database gateway: the host's side of every catalogue statement.
//
// The library opens no database of its own. A host passes an object derived from
// TDBGateway to ShowVemora and keeps ownership of it; the library issues SQL text in its
// own dialect through these virtual operations and nothing else:
//
//   - identifiers may be bracketed: [Bilder], [File];
//   - parameter markers are named (:Name, :p1), and the i-th value binds to the i-th marker
//     in order of appearance, whatever its name;
//   - a blob travels as an 8-bit value that starts with the 17 characters of kBlobMarker,
//     followed by the bytes unchanged.
//
// A result set returned by OpenSQL stays owned by the gateway: the library calls Close()
// when it is done and never deletes it. Every failing statement throws TDBError (or any
// std::exception); the library reports it to the user and carries on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vemora {

inline constexpr std::string_view kBlobMarker = "ISABLOBANSIMARKER";

// Field-type code for AddField that asks for a blob column.
inline constexpr int32_t kFieldTypeBlob = 15;

class TDBError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One parameter value of ExecSQLParams: unassigned, UTF-8 text, a 32-bit integer, or an
// 8-bit string (bytes). An 8-bit string that starts with kBlobMarker is a blob.
class TDBValue {
 public:
  enum class Kind { Unassigned, Text, Integer, Bytes };

  TDBValue() = default;
  static TDBValue Text(std::string utf8) { return TDBValue(Kind::Text, std::move(utf8), 0); }
  static TDBValue Integer(int32_t value) { return TDBValue(Kind::Integer, {}, value); }
  static TDBValue Bytes(std::string bytes) { return TDBValue(Kind::Bytes, std::move(bytes), 0); }

  Kind kind() const { return kind_; }
  // Text or bytes, as given.
  const std::string& text() const { return text_; }
  int32_t integer() const { return integer_; }

  bool IsBlob() const {
    return kind_ == Kind::Bytes && std::string_view(text_).starts_with(kBlobMarker);
  }
  // The blob's content: the bytes after the marker.
  std::string_view BlobBytes() const {
    return IsBlob() ? std::string_view(text_).substr(kBlobMarker.size()) : std::string_view();
  }

  friend bool operator==(const TDBValue&, const TDBValue&) = default;

 private:
  TDBValue(Kind kind, std::string text, int32_t integer)
      : kind_(kind), text_(std::move(text)), integer_(integer) {}

  Kind kind_ = Kind::Unassigned;
  std::string text_;
  int32_t integer_ = 0;
};

// One column of the current row of a result set.
class TDBField {
 public:
  virtual ~TDBField() = default;
  // An integer column as a number; text is converted, null gives 0.
  virtual int32_t AsInteger() const = 0;
  // Text as UTF-8; a blob as its bytes, one per character; null gives "".
  virtual std::string AsString() const = 0;
  // Writes the column's bytes to a file (a blob's content, or the text).
  virtual void SaveToFile(const std::string& path) const = 0;
  // Whether the column is null. Gateways override it so that asking costs nothing; the
  // fallback reads the value.
  virtual bool IsNull() const { return AsString().empty(); }
};

// Optional for a gateway's fields: lending a value's bytes instead of copying them. The
// library asks once per field (dynamic_cast from the TDBField) where it only passes the bytes
// on, as a load does with every row's preview, and otherwise calls AsString().
class TDBFieldBytes {
 public:
  virtual ~TDBFieldBytes() = default;
  // What AsString() would return, without a copy; valid until the result set moves or
  // closes. Nothing when the field cannot lend it (a value still to be fetched, say).
  virtual std::optional<std::string_view> LendBytes() const = 0;
};

// The rows of one query, read forward. Positioned on the first row when returned.
class TDBResultSet {
 public:
  virtual ~TDBResultSet() = default;
  // Number of rows; 0 or less means none.
  virtual int32_t RecordCount() = 0;
  virtual void First() = 0;
  virtual void Next() = 0;
  virtual bool Eof() const = 0;
  // The named column, matched without regard to case; throws TDBError when there is none.
  // The field stays valid until Close() and reads whichever row the result set is on.
  virtual TDBField& FieldByName(std::string_view name) = 0;
  // As FieldByName, but nullptr when the query has no such column.
  virtual TDBField* FindField(std::string_view name) = 0;
  virtual void Close() = 0;
};

class TDBGateway {
 public:
  virtual ~TDBGateway() = default;
  // Runs a statement without parameters. `mode` is always 4.
  virtual void ExecSQL(const std::string& sql, uint8_t mode) = 0;
  // Runs a statement, binding values[i] to the i-th parameter marker. The library passes
  // 1 and 4 for the two integers.
  virtual void ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values,
                             int32_t option1, int32_t option2) = 0;
  // Opens a query positioned on its first row. The library passes 0 and 0. The result set
  // stays owned by the gateway.
  virtual TDBResultSet* OpenSQL(const std::string& sql, int32_t option1, int32_t option2) = 0;
  // Adds a column; fieldType kFieldTypeBlob asks for a blob column.
  virtual void AddField(const std::string& table, const std::string& column, int32_t fieldType,
                        int32_t size, const TDBValue& defaultValue) = 0;
  // True when the table has the column. The library passes 0 and -1.
  virtual bool FieldExists(const std::string& table, const std::string& column, int32_t option1,
                           int32_t option2) = 0;
};

// Optional for a gateway, found with dynamic_cast from the TDBGateway: reading one blob column
// of a large table apart from its rows, so that the rows can be shown before all of that
// column's bytes have come. The library reads the catalogue's previews this way.
class TDBColumnApart {
 public:
  virtual ~TDBColumnApart() = default;
  // While on, queries of `table` leave `column`'s bytes out of their rows: the field's IsNull()
  // answers at once, LendBytes() lends nothing, and AsString() fetches the bytes.
  virtual void LeaveOut(const std::string& table, const std::string& column, bool on) = 0;
  // Another gateway to the same database on connections of its own, to be used by one other
  // thread while this one goes on.
  virtual std::unique_ptr<TDBGateway> OpenAnother() = 0;
};

}  // namespace vemora
