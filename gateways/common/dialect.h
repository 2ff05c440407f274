// Translation of the library's SQL dialect into the text an engine accepts.
//
// The library writes statements with bracketed identifiers ([Bilder], [File]) and named
// parameter markers (:Name, :p1) that bind by position, whatever their name. Both gateways
// run every statement through TranslateStatement before preparing it. The unit is pure text
// work: it knows nothing of connections and owns nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora::gateways {

enum class SqlEngine {
  // [X] -> "X"; the i-th marker -> ?i (SQLite matches identifiers without regard to case).
  Sqlite,
  // [X] -> "x" (folded to lower case, as PostgreSQL folds bare identifiers, so [File] and
  // File name the same column); the i-th marker -> $i.
  Postgres,
};

struct TranslatedStatement {
  std::string sql;
  // Number of parameter markers found; the values bind to markers 1..markerCount.
  int markerCount = 0;
};

// Rewrites identifiers and markers outside string literals ('...' with doubled apostrophes),
// quoted identifiers and comments. A '::' cast is left alone. Throws TDBError on an
// unterminated bracket.
TranslatedStatement TranslateStatement(std::string_view sql, SqlEngine engine);

// "SELECT count(*) FROM (<query>) AS sub", with the query's trailing semicolons and blanks
// removed, so that a row count never reads the rows themselves.
std::string CountQuery(std::string_view query);

// ASCII lower case; identifiers of the catalogue are plain ASCII.
std::string AsciiLower(std::string_view text);

// True when both names are equal without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// The name without surrounding brackets or double quotes: "[Bilder]" -> "Bilder".
std::string_view BareName(std::string_view name);

// The column type AddField creates for a field-type code: 15 the engine's blob type, 1 text
// (VARCHAR of `size` when given), 2 and 3 INTEGER. Throws TDBError naming the column for
// any other code.
std::string ColumnTypeFor(int32_t fieldType, int32_t size, SqlEngine engine, std::string_view table,
                          std::string_view column);

}  // namespace vemora::gateways
