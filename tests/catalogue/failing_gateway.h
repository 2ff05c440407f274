// A real gateway that fails on a chosen statement, as a server that goes away would: the
// statements before it ran, the chosen one and those after it did not. It also keeps the
// text of every statement sent, so tests can hold commands to their exact wording.
#pragma once

#include <string>
#include <vector>

#include "vemora/gateway.h"

namespace vemora::testing {

class FailingGateway : public TDBGateway {
 public:
  explicit FailingGateway(TDBGateway& inner) : inner_(inner) {}
  // Fail the n-th statement from now (1-based); 0: never.
  void FailOnStatement(int n) {
    failOn_ = n;
    count_ = 0;
  }

  void ExecSQL(const std::string& sql, uint8_t mode) override {
    Count(sql);
    inner_.ExecSQL(sql, mode);
  }
  void ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values, int32_t a,
                     int32_t b) override {
    Count(sql);
    inner_.ExecSQLParams(sql, values, a, b);
  }
  TDBResultSet* OpenSQL(const std::string& sql, int32_t a, int32_t b) override {
    Count(sql);
    return inner_.OpenSQL(sql, a, b);
  }
  void AddField(const std::string& table, const std::string& column, int32_t type, int32_t size,
                const TDBValue& value) override {
    Count("AddField " + table + "." + column);
    inner_.AddField(table, column, type, size, value);
  }
  bool FieldExists(const std::string& table, const std::string& column, int32_t a,
                   int32_t b) override {
    return inner_.FieldExists(table, column, a, b);
  }

  // Every statement sent, in order (AddField as "AddField table.column").
  std::vector<std::string> statements;

 private:
  void Count(const std::string& statement) {
    statements.push_back(statement);
    if (failOn_ != 0 && ++count_ == failOn_) throw TDBError("connection lost (injected)");
  }
  TDBGateway& inner_;
  int failOn_ = 0;
  int count_ = 0;
};

}  // namespace vemora::testing
