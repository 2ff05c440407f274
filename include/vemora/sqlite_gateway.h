// The SQLite gateway a host passes to ShowVemora: one catalogue file, shared by the hosts
// and processes that open it (libvemora-gateway-sqlite).
//
// The host owns the returned gateway and must keep it alive until ShowVemora returns.
#pragma once

#include <memory>
#include <string>

#include "vemora/gateway.h"

#if defined(_WIN32)
#define VEMORA_GATEWAY_SQLITE_API __declspec(dllexport)
#else
#define VEMORA_GATEWAY_SQLITE_API __attribute__((visibility("default")))
#endif

namespace vemora {

// Opens the catalogue file (UTF-8 path), creating it when missing; with
// createCatalogueTables the tables `Bilder` and `BildFilt` are created when they are
// missing, and existing ones stay as they are. Throws TDBError naming the file.
VEMORA_GATEWAY_SQLITE_API std::unique_ptr<TDBGateway> OpenSqliteGateway(
    const std::string& path, bool createCatalogueTables = true);

}  // namespace vemora
