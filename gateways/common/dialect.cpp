#include "common/dialect.h"

#include <cctype>

#include "vemora/gateway.h"

namespace vemora::gateways {
namespace {

bool IsIdentifierStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsIdentifierChar(char c) {
  return IsIdentifierStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

// Copies a run delimited by `quote` (a doubled quote stays inside) and returns the index
// after it. An unterminated run is copied to the end; the engine reports it.
size_t CopyQuoted(std::string_view sql, size_t start, char quote, std::string& out) {
  size_t i = start + 1;
  while (i < sql.size()) {
    if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    ++i;
  }
  out.append(sql.substr(start, i - start));
  return i;
}

}  // namespace

TranslatedStatement TranslateStatement(std::string_view sql, SqlEngine engine) {
  TranslatedStatement result;
  std::string& out = result.sql;
  out.reserve(sql.size() + 16);
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == '\'' || c == '"') {
      i = CopyQuoted(sql, i, c, out);
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      const size_t end = sql.find('\n', i);
      const size_t stop = end == std::string_view::npos ? sql.size() : end;
      out.append(sql.substr(i, stop - i));
      i = stop;
    } else if (c == '[') {
      const size_t close = sql.find(']', i + 1);
      if (close == std::string_view::npos)
        throw TDBError("unterminated bracketed identifier in: " + std::string(sql));
      std::string_view name = sql.substr(i + 1, close - i - 1);
      out += '"';
      if (engine == SqlEngine::Postgres) {
        out += AsciiLower(name);
      } else {
        out.append(name);
      }
      out += '"';
      i = close + 1;
    } else if (c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
      out += "::";
      i += 2;
    } else if (c == ':' && i + 1 < sql.size() && IsIdentifierStart(sql[i + 1])) {
      size_t end = i + 1;
      while (end < sql.size() && IsIdentifierChar(sql[end])) ++end;
      ++result.markerCount;
      out += engine == SqlEngine::Postgres ? '$' : '?';
      out += std::to_string(result.markerCount);
      i = end;
    } else {
      out += c;
      ++i;
    }
  }
  return result;
}

std::string CountQuery(std::string_view query) {
  while (!query.empty() &&
         (query.back() == ';' || std::isspace(static_cast<unsigned char>(query.back())))) {
    query.remove_suffix(1);
  }
  return "SELECT count(*) FROM (" + std::string(query) + "\n) AS vemora_count";
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string_view BareName(std::string_view name) {
  if (name.size() >= 2 && ((name.front() == '[' && name.back() == ']') ||
                           (name.front() == '"' && name.back() == '"'))) {
    name = name.substr(1, name.size() - 2);
  }
  return name;
}

std::string ColumnTypeFor(int32_t fieldType, int32_t size, SqlEngine engine, std::string_view table,
                          std::string_view column) {
  switch (fieldType) {
    case kFieldTypeBlob:
      return engine == SqlEngine::Postgres ? "BYTEA" : "BLOB";
    case 1:  // string of a given size
      return size > 0 ? "VARCHAR(" + std::to_string(size) + ")" : "TEXT";
    case 2:  // small integer
    case 3:  // integer
      return "INTEGER";
    default:
      throw TDBError(std::string(engine == SqlEngine::Postgres ? "PostgreSQL" : "SQLite") +
                     ": unsupported field type " + std::to_string(fieldType) + " for " +
                     std::string(table) + "." + std::string(column));
  }
}

}  // namespace vemora::gateways
