// A real gateway that fails on a chosen statement, as a server that goes away would: the
// statements before it ran, the chosen one and those after it did not.
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
    Count();
    inner_.ExecSQL(sql, mode);
  }
  void ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values, int32_t a,
                     int32_t b) override {
    Count();
    inner_.ExecSQLParams(sql, values, a, b);
  }
  TDBResultSet* OpenSQL(const std::string& sql, int32_t a, int32_t b) override {
    Count();
    return inner_.OpenSQL(sql, a, b);
  }
  void AddField(const std::string& table, const std::string& column, int32_t type, int32_t size,
                const TDBValue& value) override {
    Count();
    inner_.AddField(table, column, type, size, value);
  }
  bool FieldExists(const std::string& table, const std::string& column, int32_t a,
                   int32_t b) override {
    return inner_.FieldExists(table, column, a, b);
  }

 private:
  void Count() {
    if (failOn_ != 0 && ++count_ == failOn_) throw TDBError("connection lost (injected)");
  }
  TDBGateway& inner_;
  int failOn_ = 0;
  int count_ = 0;
};

}  // namespace vemora::testing
