// TDBGateway over a PostgreSQL server (libpq): a catalogue that several hosts share.
//
// Two connections per gateway. Statements run on the command connection in autocommit, so a
// write is visible to every other host as soon as the call returns. Queries run on a reader
// connection as cursors inside one transaction that lasts while any result set is open and
// fetch rows in batches in binary format: a bytea value arrives as its bytes, and a row's
// bytes are copied once, from the socket into libpq's result. Writes made while a result set
// is open are therefore not held back by it.
//
// The gateway owns every result set it returns: a closed one is freed at the next OpenSQL,
// the rest when the gateway is destroyed. A lost connection makes the call that notices it
// throw TDBError; the next call connects again.
//
// It is also a change feed: triggers fill a change table and send a notification, which the
// reader connection listens for, so asking whether anything changed costs no round trip.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vemora/change_feed.h"
#include "vemora/gateway.h"

namespace vemora::gateways {

class PostgresConnection;
class PostgresResultSet;
struct PostgresReader;

class PostgresGateway final : public TDBGateway, public CatalogueChangeFeed, public TDBColumnApart {
 public:
  // Connects at once; throws TDBError naming the server and database and libpq's reason,
  // within `connectTimeoutSeconds` (libpq's connect_timeout; the minimum it honours is 2).
  explicit PostgresGateway(const std::string& conninfo, int connectTimeoutSeconds = 10);
  ~PostgresGateway() override;
  PostgresGateway(const PostgresGateway&) = delete;
  PostgresGateway& operator=(const PostgresGateway&) = delete;

  void ExecSQL(const std::string& sql, uint8_t mode) override;
  void ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values, int32_t option1,
                     int32_t option2) override;
  TDBResultSet* OpenSQL(const std::string& sql, int32_t option1, int32_t option2) override;
  void AddField(const std::string& table, const std::string& column, int32_t fieldType,
                int32_t size, const TDBValue& defaultValue) override;
  bool FieldExists(const std::string& table, const std::string& column, int32_t option1,
                   int32_t option2) override;

  void LeaveOut(const std::string& table, const std::string& column, bool on) override;
  std::unique_ptr<TDBGateway> OpenAnother() override;

  // Creates `Bilder` and `BildFilt` when they are missing; existing tables stay as they are.
  void CreateCatalogueTables();

  uint64_t StartFeed() override;
  bool ChangesPending() override;
  CatalogueChanges ChangesSince(uint64_t token) override;

  // The server process serving this gateway's statements (pg_backend_pid), for tools and
  // tests that must tell connections apart.
  int CommandBackendPid();

 private:
  void FreeClosedResultSets();
  PostgresReader& Reader();
  void Listen();

  std::string conninfo_;
  int connectTimeoutSeconds_;
  std::unique_ptr<PostgresConnection> command_;
  std::shared_ptr<PostgresReader> reader_;  // opened on the first query
  std::vector<std::unique_ptr<PostgresResultSet>> resultSets_;
  int nextCursor_ = 0;
  std::vector<std::pair<std::string, std::string>> leftOut_;  // table, column; lower case
  std::string channel_;           // the notification channel of the catalogue's schema
  int listeningGeneration_ = -1;  // the reader connection that LISTEN ran on
  bool lossReported_ = false;
};

}  // namespace vemora::gateways
