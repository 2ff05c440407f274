#include "sqlite/lazy_blob_query.h"

#include <cctype>

#include "common/dialect.h"

namespace vemora::gateways {
namespace {

struct TableColumn {
  std::string name;
  bool isBlob;
};

// A tiny reader over the query text: keywords, identifiers, punctuation.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Keyword(std::string_view word) {
    SkipBlanks();
    if (text_.size() - pos_ < word.size() || !SameName(text_.substr(pos_, word.size()), word))
      return false;
    const size_t end = pos_ + word.size();
    if (end < text_.size() && IsWordChar(text_[end])) return false;
    pos_ = end;
    return true;
  }
  bool Punctuation(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // A bare or double-quoted identifier without embedded quotes.
  std::optional<std::string> Identifier() {
    SkipBlanks();
    if (pos_ >= text_.size()) return std::nullopt;
    if (text_[pos_] == '"') {
      const size_t close = text_.find('"', pos_ + 1);
      if (close == std::string_view::npos || close == pos_ + 1) return std::nullopt;
      std::string name(text_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
      return name;
    }
    if (!std::isalpha(static_cast<unsigned char>(text_[pos_])) && text_[pos_] != '_')
      return std::nullopt;
    const size_t start = pos_;
    while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }
  std::string_view Rest() const { return text_.substr(pos_); }

 private:
  static bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
  std::string_view text_;
  size_t pos_ = 0;
};

std::vector<TableColumn> ColumnsOf(sqlite3* db, const std::string& table) {
  std::vector<TableColumn> columns;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT name, upper(type) FROM pragma_table_info(?1)", -1, &statement,
                         nullptr) != SQLITE_OK) {
    return columns;
  }
  sqlite3_bind_text(statement, 1, table.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
    columns.push_back(
        {name ? name : "", type && std::string_view(type).find("BLOB") != std::string_view::npos});
  }
  sqlite3_finalize(statement);
  return columns;
}

std::string Quoted(const std::string& name) { return '"' + name + '"'; }

// The part after the table may only narrow or order the rows; anything else (joins, grouping,
// unions) changes what a row is, and the query runs unchanged.
bool IsPlainTail(std::string_view rest) {
  Cursor tail(rest);
  tail.SkipBlanks();
  if (tail.Rest().empty() || tail.Rest() == ";") return true;
  if (!std::isspace(static_cast<unsigned char>(rest.front()))) return false;
  if (!(tail.Keyword("WHERE") || tail.Keyword("ORDER") || tail.Keyword("LIMIT"))) return false;
  // A conservative test on the raw text: such a word inside a literal merely costs the
  // optimisation, never correctness.
  const std::string lower = AsciiLower(rest);
  for (std::string_view word : {"union", "group", "join", "intersect", "except", "having"}) {
    if (lower.find(word) != std::string::npos) return false;
  }
  return true;
}

}  // namespace

std::optional<LazyBlobPlan> PlanLazyBlobs(sqlite3* db, std::string_view query) {
  Cursor cursor(query);
  if (!cursor.Keyword("SELECT")) return std::nullopt;
  bool star = false;
  std::vector<std::string> selected;
  if (cursor.Punctuation('*')) {
    star = true;
  } else {
    do {
      auto name = cursor.Identifier();
      if (!name) return std::nullopt;
      selected.push_back(*name);
    } while (cursor.Punctuation(','));
  }
  if (!cursor.Keyword("FROM")) return std::nullopt;
  auto table = cursor.Identifier();
  if (!table || !IsPlainTail(cursor.Rest())) return std::nullopt;

  const std::vector<TableColumn> columns = ColumnsOf(db, *table);
  if (columns.empty()) return std::nullopt;  // no such table: the engine reports it
  std::vector<std::pair<std::string, const TableColumn*>> picked;  // shown name, column
  if (star) {
    for (const TableColumn& column : columns) picked.emplace_back(column.name, &column);
  } else {
    for (const std::string& name : selected) {
      const TableColumn* match = nullptr;
      for (const TableColumn& column : columns) {
        if (SameName(column.name, name)) match = &column;
      }
      if (!match) return std::nullopt;
      picked.emplace_back(name, match);
    }
  }

  LazyBlobPlan plan;
  plan.table = *table;
  plan.rowidIndex = 0;
  plan.sql = "SELECT rowid";
  int index = 1;
  bool anyBlob = false;
  for (const auto& [shown, column] : picked) {
    const std::string quoted = Quoted(column->name);
    LazyBlobPlan::Column planned{shown, column->name, index++, -1};
    if (column->isBlob) {
      anyBlob = true;
      // typeof() and length() read only the row header; a non-blob value in a blob column
      // (text, a number) is small and comes through as it is.
      plan.sql += ", CASE WHEN typeof(" + quoted + ")='blob' THEN NULL ELSE " + quoted +
                  " END, CASE WHEN typeof(" + quoted + ")='blob' THEN length(" + quoted + ") END";
      planned.lengthIndex = index++;
    } else {
      plan.sql += ", " + quoted;
    }
    plan.columns.push_back(std::move(planned));
  }
  if (!anyBlob) return std::nullopt;
  plan.sql += " FROM " + Quoted(*table) + std::string(cursor.Rest());
  return plan;
}

}  // namespace vemora::gateways
