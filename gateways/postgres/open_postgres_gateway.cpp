#include "vemora/postgres_gateway.h"

#include "postgres/postgres_gateway.h"

namespace vemora {

std::unique_ptr<TDBGateway> OpenPostgresGateway(const std::string& conninfo,
                                                bool createCatalogueTables,
                                                int connectTimeoutSeconds) {
  auto gateway = std::make_unique<gateways::PostgresGateway>(conninfo, connectTimeoutSeconds);
  if (createCatalogueTables) gateway->CreateCatalogueTables();
  return gateway;
}

}  // namespace vemora
