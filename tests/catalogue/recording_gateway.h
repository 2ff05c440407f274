// A gateway that runs nothing: it records every call with its values, answers queries
// from scripted rows, and can fail on a chosen statement. Tests use it to see exactly
// which statements a command issues.
#pragma once

#include <algorithm>
#include <cctype>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vemora/gateway.h"

namespace vemora::testing {

struct RecordedCall {
  std::string operation;  // ExecSQL, ExecSQLParams, OpenSQL, AddField, FieldExists
  std::string sql;        // statement, or "table.column"
  std::vector<TDBValue> values;
};

// One scripted row: column name (as the query names it) to text value.
using ScriptedRow = std::map<std::string, std::string>;

class ScriptedField : public TDBField {
 public:
  explicit ScriptedField(std::string value) : value_(std::move(value)) {}
  int32_t AsInteger() const override { return value_.empty() ? 0 : std::stoi(value_); }
  std::string AsString() const override { return value_; }
  void SaveToFile(const std::string& path) const override {
    std::ofstream(path, std::ios::binary) << value_;
  }

 private:
  std::string value_;
};

class ScriptedResultSet : public TDBResultSet {
 public:
  explicit ScriptedResultSet(std::vector<ScriptedRow> rows) : rows_(std::move(rows)) {}
  int32_t RecordCount() override { return static_cast<int32_t>(rows_.size()); }
  void First() override { position_ = 0; }
  void Next() override { ++position_; }
  bool Eof() const override { return position_ >= rows_.size(); }
  TDBField& FieldByName(std::string_view name) override {
    if (TDBField* field = FindField(name)) return *field;
    throw TDBError("no column " + std::string(name));
  }
  TDBField* FindField(std::string_view name) override {
    if (Eof()) return nullptr;
    for (const auto& [column, value] : rows_[position_]) {
      if (EqualsIgnoringCase(column, name)) {
        fields_.push_back(std::make_unique<ScriptedField>(value));
        return fields_.back().get();
      }
    }
    return nullptr;
  }
  void Close() override { closed = true; }
  bool closed = false;

 private:
  static bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
  }
  std::vector<ScriptedRow> rows_;
  size_t position_ = 0;
  std::vector<std::unique_ptr<ScriptedField>> fields_;
};

class RecordingGateway : public TDBGateway {
 public:
  std::vector<RecordedCall> calls;
  // Answers for the next queries, in order; a query without one gets no rows.
  std::deque<std::vector<ScriptedRow>> scriptedResults;
  std::vector<std::unique_ptr<ScriptedResultSet>> openedResults;
  bool fieldExists = true;
  bool failAddField = false;
  // Fail the n-th call (1-based) with a TDBError; 0: never.
  size_t failOnCall = 0;

  void ExecSQL(const std::string& sql, uint8_t) override { Record("ExecSQL", sql, {}); }
  void ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values, int32_t,
                     int32_t) override {
    Record("ExecSQLParams", sql, values);
  }
  TDBResultSet* OpenSQL(const std::string& sql, int32_t, int32_t) override {
    Record("OpenSQL", sql, {});
    std::vector<ScriptedRow> rows;
    if (!scriptedResults.empty()) {
      rows = std::move(scriptedResults.front());
      scriptedResults.pop_front();
    }
    openedResults.push_back(std::make_unique<ScriptedResultSet>(std::move(rows)));
    return openedResults.back().get();
  }
  void AddField(const std::string& table, const std::string& column, int32_t, int32_t,
                const TDBValue&) override {
    Record("AddField", table + "." + column, {});
    if (failAddField) throw TDBError("cannot add " + column);
  }
  bool FieldExists(const std::string& table, const std::string& column, int32_t, int32_t) override {
    Record("FieldExists", table + "." + column, {});
    return fieldExists;
  }

  std::vector<std::string> Statements() const {
    std::vector<std::string> statements;
    for (const auto& call : calls) statements.push_back(call.sql);
    return statements;
  }

 private:
  void Record(const char* operation, const std::string& sql, std::vector<TDBValue> values) {
    calls.push_back({operation, sql, std::move(values)});
    if (failOnCall != 0 && calls.size() == failOnCall) throw TDBError("injected failure");
  }
};

}  // namespace vemora::testing
