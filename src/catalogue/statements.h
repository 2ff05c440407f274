// The two ways the core speaks to the host's gateway: a query, closed when its guard goes,
// and a statement run with or without values. The option integers the gateway contract
// asks for are fixed here, once, so no command carries them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/result_set_guard.h"
#include "vemora/gateway.h"

namespace vemora {

inline ResultSetGuard Query(TDBGateway& gateway, const std::string& sql) {
  return ResultSetGuard(gateway.OpenSQL(sql, 0, 0));
}

// A field's bytes, lent where the field lends them (`lender`: the field as TDBFieldBytes, found
// once per result set, or null), valid until the rows move; else copied into `copy`.
inline std::string_view FieldBytes(const TDBField& field, const TDBFieldBytes* lender,
                                   std::string& copy) {
  if (lender != nullptr) {
    if (const std::optional<std::string_view> lent = lender->LendBytes()) return *lent;
  }
  copy = field.AsString();
  return copy;
}

inline void Execute(TDBGateway& gateway, const std::string& sql) {
  constexpr uint8_t kExecMode = 4;
  gateway.ExecSQL(sql, kExecMode);
}

inline void Execute(TDBGateway& gateway, const std::string& sql,
                    const std::vector<TDBValue>& values) {
  constexpr int32_t kParamsOption1 = 1;
  constexpr int32_t kParamsOption2 = 4;
  gateway.ExecSQLParams(sql, values, kParamsOption1, kParamsOption2);
}

}  // namespace vemora
