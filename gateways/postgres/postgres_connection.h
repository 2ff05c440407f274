// One libpq connection with the few operations the gateway needs: connect with a timeout
// and a message naming the server, run a command, and turn libpq failures into TDBError.
// The connection owns its PGconn and every PGresult it hands out is wrapped in PgResult.
#pragma once

#include <libpq-fe.h>

#include <memory>
#include <string>
#include <vector>

#include "vemora/gateway.h"

namespace vemora::gateways {

struct PgResultDeleter {
  void operator()(PGresult* result) const { PQclear(result); }
};
using PgResult = std::unique_ptr<PGresult, PgResultDeleter>;

// Values for PQexecParams, pointing into the caller's TDBValues (no copies of blobs).
struct PgParameters {
  std::vector<Oid> types;
  std::vector<const char*> values;
  std::vector<int> lengths;
  std::vector<int> formats;
  std::vector<std::string> integerTexts;  // decimal forms of the integer values
};
PgParameters MakeParameters(const std::vector<TDBValue>& values);

class PostgresConnection {
 public:
  PostgresConnection(const std::string& conninfo, int connectTimeoutSeconds);
  ~PostgresConnection();
  PostgresConnection(const PostgresConnection&) = delete;
  PostgresConnection& operator=(const PostgresConnection&) = delete;

  // Connects again when the server dropped the connection; throws when that fails.
  void EnsureConnected();
  bool IsBroken() const;

  // Runs commands (several allowed, no parameters); throws TDBError on failure. Neither Run
  // nor Query connects again by itself: a reconnect would silently drop the transaction
  // that the caller believes is open.
  void Run(const std::string& sql, const std::string& shownSql);
  // Runs one statement with parameters; `binaryResult` asks for every column in binary.
  PgResult Query(const std::string& sql, const PgParameters& parameters, bool binaryResult,
                 const std::string& shownSql);
  // As Run, but never throws: for cleanup that must not mask the first error.
  void RunQuietly(const std::string& sql);

  // Reading ahead: one statement sent now whose binary result its owner takes later, so that
  // the server works while the client is busy with the rows before it. At most one statement
  // is ahead at a time (false: another one is, and nothing was sent). Every other statement
  // first collects the result and keeps it for its owner.
  bool SendAhead(const std::string& owner, const std::string& sql);
  // Reads what has arrived of the result ahead, without waiting, so that the server is not
  // held up by a full socket.
  void PumpAhead();
  // The result `owner` sent ahead, waiting for it; null when `owner` has none. Throws as
  // Query does when the statement failed.
  PgResult TakeAhead(const std::string& owner, const std::string& shownSql);
  // Forgets what `owner` sent ahead (a cursor closing or starting again).
  void DropAhead(const std::string& owner);

  // "server <host> database <db>" for messages.
  const std::string& Describe() const { return description_; }
  PGconn* raw() { return conn_; }

 private:
  void Connect();
  [[noreturn]] void Fail(const PGresult* result, const std::string& shownSql);
  void CollectAhead();

  std::string conninfo_;
  int connectTimeoutSeconds_;
  std::string description_;
  PGconn* conn_ = nullptr;
  std::string aheadOwner_;  // empty: nothing is ahead
  bool aheadInFlight_ = false;
  PgResult ahead_;  // the result once collected
};

}  // namespace vemora::gateways
