#include "vemora/sqlite_gateway.h"

#include "sqlite/sqlite_gateway.h"

namespace vemora {

std::unique_ptr<TDBGateway> OpenSqliteGateway(const std::string& path, bool createCatalogueTables) {
  auto gateway = std::make_unique<gateways::SqliteGateway>(path);
  if (createCatalogueTables) gateway->CreateCatalogueTables();
  return gateway;
}

}  // namespace vemora
