// The PostgreSQL gateway a host passes to ShowVemora: a catalogue on a server that several
// hosts share (libvemora-gateway-postgres).
//
// The host owns the returned gateway and must keep it alive until ShowVemora returns.
#pragma once

#include <memory>
#include <string>

#include "vemora/gateway.h"

#if defined(_WIN32)
#define VEMORA_GATEWAY_POSTGRES_API __declspec(dllexport)
#else
#define VEMORA_GATEWAY_POSTGRES_API __attribute__((visibility("default")))
#endif

namespace vemora {

// Connects with a libpq connection string ("host=/tmp dbname=bilder"); with
// createCatalogueTables the tables `Bilder` and `BildFilt` are created when they are
// missing. Throws TDBError naming the server and the reason, within connectTimeoutSeconds.
VEMORA_GATEWAY_POSTGRES_API std::unique_ptr<TDBGateway> OpenPostgresGateway(
    const std::string& conninfo, bool createCatalogueTables = true, int connectTimeoutSeconds = 10);

}  // namespace vemora
