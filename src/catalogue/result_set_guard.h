// Closes a gateway result set when the scope that opened it ends, also on an error. The
// result set itself stays the gateway's.
#pragma once

#include "vemora/gateway.h"

namespace vemora {

class ResultSetGuard {
 public:
  explicit ResultSetGuard(TDBResultSet* resultSet) : resultSet_(resultSet) {
    if (resultSet_ == nullptr) throw TDBError("the gateway returned no result set");
  }
  ~ResultSetGuard() {
    try {
      resultSet_->Close();
    } catch (...) {  // a failing close must not hide the error that ended the scope
    }
  }
  ResultSetGuard(const ResultSetGuard&) = delete;
  ResultSetGuard& operator=(const ResultSetGuard&) = delete;

  TDBResultSet* operator->() const { return resultSet_; }
  TDBResultSet& operator*() const { return *resultSet_; }

 private:
  TDBResultSet* resultSet_;
};

}  // namespace vemora
