#include "common/deferred_blobs.h"

#include <algorithm>
#include <cctype>

namespace vemora::gateways {
namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// A tiny reader over the query text: keywords, identifiers, punctuation.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

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
  std::string_view text_;
  size_t pos_ = 0;
};

// The part after the table may only narrow or order the rows; anything else (joins, grouping,
// unions) changes what a row is.
bool IsPlainTail(std::string_view rest) {
  Reader tail(rest);
  tail.SkipBlanks();
  if (tail.Rest().empty() || tail.Rest() == ";") return true;
  if (!std::isspace(static_cast<unsigned char>(rest.front()))) return false;
  if (!(tail.Keyword("WHERE") || tail.Keyword("ORDER") || tail.Keyword("LIMIT"))) return false;
  // A conservative test on the raw text: such a word inside a literal merely costs the
  // deferral, never correctness.
  const std::string lower = AsciiLower(rest);
  for (std::string_view word : {"union", "group", "join", "intersect", "except", "having"}) {
    if (lower.find(word) != std::string::npos) return false;
  }
  return true;
}

std::string Quoted(const std::string& name) { return '"' + name + '"'; }

}  // namespace

int64_t CatalogueDeferralLimit(const std::string& tableColumn) {
  return SameName(tableColumn, "VsBild") ? kDeferredBlobMinimumBytes : -1;
}

std::optional<SimpleSelect> ParseSimpleSelect(std::string_view query) {
  Reader reader(query);
  SimpleSelect select;
  if (!reader.Keyword("SELECT")) return std::nullopt;
  if (reader.Punctuation('*')) {
    select.star = true;
  } else {
    do {
      auto name = reader.Identifier();
      if (!name) return std::nullopt;
      select.columns.push_back(*name);
    } while (reader.Punctuation(','));
  }
  if (!reader.Keyword("FROM")) return std::nullopt;
  auto table = reader.Identifier();
  if (!table || !IsPlainTail(reader.Rest())) return std::nullopt;
  select.table = *table;
  select.tail = std::string(reader.Rest());
  return select;
}

std::optional<DeferredBlobPlan> PlanDeferredBlobs(const SimpleSelect& select,
                                                  const std::vector<TableColumn>& columns,
                                                  const std::string& keyColumn, SqlEngine engine,
                                                  const std::vector<std::string>& leftOut) {
  std::vector<std::pair<std::string, const TableColumn*>> picked;  // shown name, column
  if (select.star) {
    for (const TableColumn& column : columns) picked.emplace_back(column.name, &column);
  } else {
    for (const std::string& name : select.columns) {
      const TableColumn* match = nullptr;
      for (const TableColumn& column : columns) {
        if (SameName(column.name, name)) match = &column;
      }
      if (!match) return std::nullopt;
      picked.emplace_back(name, match);
    }
  }

  DeferredBlobPlan plan;
  plan.table = select.table;
  plan.keyColumn = keyColumn;
  plan.keyIndex = 0;
  const std::string key = engine == SqlEngine::Sqlite ? keyColumn : Quoted(keyColumn);
  plan.sql = "SELECT " + key;
  int index = 1;
  for (const auto& [shown, column] : picked) {
    const std::string quoted = Quoted(column->name);
    DeferredBlobPlan::Column planned{shown, column->name, index++, -1};
    if (column->isBlob) {
      const std::string& name = column->name;
      const bool whole =
          std::any_of(leftOut.begin(), leftOut.end(),
                      [&name](const std::string& out) { return SameName(out, name); });
      const std::string threshold = std::to_string(whole ? -1 : CatalogueDeferralLimit(name));
      const std::string large =
          engine == SqlEngine::Sqlite
              // typeof() and length() read only the row header. A blob column may hold a text
              // or a number too; such a value comes through as it is.
              ? "typeof(" + quoted + ")='blob' AND length(" + quoted + ") > " + threshold
              // octet_length of a stored bytea reads its size, not its (toasted) bytes.
              : "octet_length(" + quoted + ") > " + threshold;
      const std::string length =
          engine == SqlEngine::Sqlite ? "length(" + quoted + ")" : "octet_length(" + quoted + ")";
      plan.sql += ", CASE WHEN " + large + " THEN NULL ELSE " + quoted + " END, CASE WHEN " +
                  large + " THEN " + length + " END";
      planned.lengthIndex = index++;
    } else {
      plan.sql += ", " + quoted;
    }
    plan.columns.push_back(std::move(planned));
  }
  // PostgreSQL folds the bare names of the library's statements to lower case.
  plan.sql +=
      " FROM " + Quoted(engine == SqlEngine::Sqlite ? select.table : AsciiLower(select.table));
  std::string_view tail = select.tail;
  while (!tail.empty() &&
         (tail.back() == ';' || std::isspace(static_cast<unsigned char>(tail.back()))))
    tail.remove_suffix(1);
  plan.sql += tail;
  // Rows come in key order unless the query orders them itself: the library pairs the rows of
  // two queries by position, and a PostgreSQL scan returns an updated row elsewhere. A word
  // that only looks like ORDER (in a literal, say) merely leaves the engine's order.
  const std::string lowerTail = AsciiLower(tail);
  const bool ordered = lowerTail.find("order") != std::string::npos ||
                       lowerTail.find("limit") != std::string::npos ||
                       lowerTail.find("--") != std::string::npos;
  if (!ordered) plan.sql += " ORDER BY " + key;
  return plan;
}

}  // namespace vemora::gateways
