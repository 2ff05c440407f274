// PostgresGateway as a CatalogueChangeFeed.
#include <string>

#include "common/change_log.h"
#include "postgres/postgres_connection.h"
#include "postgres/postgres_gateway.h"
#include "postgres/postgres_result_set.h"

namespace vemora::gateways {
namespace {

int64_t IntegerAt(const PgResult& result, int row, int column) {
  return std::stoll(PQgetvalue(result.get(), row, column));
}

std::string Single(PostgresConnection& connection, const std::string& sql) {
  PgResult result = connection.Query(sql, MakeParameters({}), false, sql);
  return PQntuples(result.get()) > 0 ? PQgetvalue(result.get(), 0, 0) : "";
}

CatalogueChanges ReadChanges(PostgresConnection& command, uint64_t token) {
  command.EnsureConnected();
  PgResult bounds = command.Query(ChangeBoundsQuery(), MakeParameters({}), false, "");
  const std::vector<TDBValue> values = {TDBValue::Text(std::to_string(token))};
  const std::string sql = ChangeEntriesQuery(SqlEngine::Postgres);
  PgResult rows = command.Query(sql, MakeParameters(values), false, sql);
  std::vector<ChangeEntry> entries;
  const int count = PQntuples(rows.get());
  entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    entries.push_back(
        {IntegerAt(rows, i, 0), IntegerAt(rows, i, 1), static_cast<int>(IntegerAt(rows, i, 2))});
  }
  return CoalesceChanges(token, entries, IntegerAt(bounds, 0, 0), IntegerAt(bounds, 0, 1));
}

}  // namespace

uint64_t PostgresGateway::StartFeed() {
  command_->EnsureConnected();
  if (!FieldExists("Bilder", "BildCtr", 0, -1))
    throw TDBError("PostgreSQL: table Bilder has no column BildCtr for the change feed");
  const bool installed =
      Single(*command_,
             "SELECT count(*) FROM pg_trigger WHERE tgrelid = to_regclass('bilder') "
             "AND tgname = 'vemora_bilder_changed' AND to_regclass('vemora_changes') IS NOT "
             "NULL") != "0";
  if (!installed) {
    // One transaction under a lock of its own: two hosts starting at once do not trip over
    // each other's CREATE OR REPLACE. A bounded wait for Bilder's lock turns a blocked
    // install into an error rather than a frozen window.
    std::string sql =
        "SET lock_timeout = '10s'; BEGIN; SELECT pg_advisory_xact_lock(hashtext('vemora_install'))";
    for (const std::string& statement : ChangeLogInstallStatements(SqlEngine::Postgres))
      sql += "; " + statement;
    sql += "; COMMIT; RESET lock_timeout";
    try {
      command_->Run(sql, "change feed installation");
    } catch (...) {
      command_->RunQuietly("ROLLBACK; RESET lock_timeout");
      throw;
    }
  }
  channel_ = Single(*command_,
                    "SELECT 'vemora_' || n.nspname FROM pg_class c JOIN pg_namespace n "
                    "ON n.oid = c.relnamespace WHERE c.oid = to_regclass('bilder')");
  if (channel_.empty()) throw TDBError("PostgreSQL: table Bilder not found for the change feed");
  Listen();
  PgResult bounds = command_->Query(ChangeBoundsQuery(), MakeParameters({}), false, "");
  return static_cast<uint64_t>(IntegerAt(bounds, 0, 1));
}

void PostgresGateway::Listen() {
  PostgresReader& reader = Reader();
  if (reader.connection.IsBroken()) {
    reader.connection.EnsureConnected();
    ++reader.generation;  // cursors of the old connection are gone
    reader.openCursors = 0;
  }
  std::string quoted = "\"";
  for (char c : channel_) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  reader.connection.Run("LISTEN " + quoted + "\"", "LISTEN");
  listeningGeneration_ = reader.generation;
}

bool PostgresGateway::ChangesPending() {
  if (channel_.empty()) return false;
  PostgresReader& reader = Reader();
  PostgresConnection& connection = reader.connection;
  if (!connection.IsBroken() && listeningGeneration_ == reader.generation) {
    // Reads whatever the server has sent; no query goes out.
    if (PQconsumeInput(connection.raw()) != 0 || !connection.IsBroken()) {
      bool any = false;
      while (PGnotify* notification = PQnotifies(connection.raw())) {
        any = true;
        PQfreemem(notification);
      }
      return any;
    }
  }
  if (connection.IsBroken() && !lossReported_) {
    lossReported_ = true;
    throw TDBError("PostgreSQL: connection to " + connection.Describe() + " lost");
  }
  try {
    Listen();
  } catch (const TDBError&) {
    if (lossReported_) return false;  // still away; told once already
    throw;
  }
  lossReported_ = false;
  return true;  // whatever happened while nobody listened is read from the change table
}

CatalogueChanges PostgresGateway::ChangesSince(uint64_t token) {
  try {
    return ReadChanges(*command_, token);
  } catch (const TDBError&) {
    // The loss was reported by ChangesPending already; reading is safe to repeat.
    if (!command_->IsBroken()) throw;
    return ReadChanges(*command_, token);
  }
}

}  // namespace vemora::gateways
