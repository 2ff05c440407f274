#include "postgres/postgres_connection.h"

#include <algorithm>

namespace vemora::gateways {
namespace {

// The bytea type oid of the pg_type catalog, fixed since forever.
constexpr Oid kByteaOid = 17;

std::string TrimmedMessage(const char* message) {
  std::string text = message ? message : "";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// "server /tmp/pg (socket) database catalogue" from the connection string, without
// contacting anything, so a failed connection can still be named.
std::string DescribeTarget(const std::string& conninfo) {
  std::string host, hostaddr, port, dbname, user;
  char* error = nullptr;
  if (PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &error)) {
    for (PQconninfoOption* option = options; option->keyword; ++option) {
      if (!option->val) continue;
      const std::string keyword = option->keyword;
      if (keyword == "host") host = option->val;
      if (keyword == "hostaddr") hostaddr = option->val;
      if (keyword == "port") port = option->val;
      if (keyword == "dbname") dbname = option->val;
      if (keyword == "user") user = option->val;
    }
    PQconninfoFree(options);
  }
  PQfreemem(error);
  if (host.empty()) host = hostaddr;
  if (host.empty()) host = "the default local socket";
  if (!host.empty() && host.front() == '/') host += " (socket)";
  std::string text = "server " + host;
  if (!port.empty()) text += " port " + port;
  text += " database " + (dbname.empty() ? std::string("(default)") : dbname);
  if (!user.empty()) text += " user " + user;
  return text;
}

void IgnoreNotice(void*, const char*) {}

}  // namespace

PgParameters MakeParameters(const std::vector<TDBValue>& values) {
  PgParameters parameters;
  const size_t count = values.size();
  parameters.types.assign(count, 0);
  parameters.values.assign(count, nullptr);
  parameters.lengths.assign(count, 0);
  parameters.formats.assign(count, 0);
  parameters.integerTexts.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const TDBValue& value = values[i];
    switch (value.kind()) {
      case TDBValue::Kind::Unassigned:
        break;
      case TDBValue::Kind::Integer:
        // Untyped, like a literal: the server takes the column's type, so an integer may
        // fill a text column as the embedded engine allows.
        parameters.integerTexts[i] = std::to_string(value.integer());
        parameters.values[i] = parameters.integerTexts[i].c_str();
        break;
      case TDBValue::Kind::Text:
        parameters.values[i] = value.text().c_str();
        break;
      case TDBValue::Kind::Bytes:
        if (value.IsBlob()) {
          // Binary format: libpq sends the bytes as they are, no escaping.
          const std::string_view bytes = value.BlobBytes();
          parameters.types[i] = kByteaOid;
          parameters.values[i] = bytes.data();
          parameters.lengths[i] = static_cast<int>(bytes.size());
          parameters.formats[i] = 1;
        } else {
          parameters.values[i] = value.text().c_str();
        }
        break;
    }
  }
  return parameters;
}

PostgresConnection::PostgresConnection(const std::string& conninfo, int connectTimeoutSeconds)
    : conninfo_(conninfo),
      connectTimeoutSeconds_(connectTimeoutSeconds),
      description_(DescribeTarget(conninfo)) {
  Connect();
}

PostgresConnection::~PostgresConnection() { PQfinish(conn_); }

void PostgresConnection::Connect() {
  PQfinish(conn_);
  aheadOwner_.clear();
  aheadInFlight_ = false;
  ahead_.reset();
  const std::string timeout = std::to_string(std::max(connectTimeoutSeconds_, 1));
  // The connection string is expanded in place: it overrides the keepalive defaults before
  // it (a server that vanishes from the network is noticed in about a minute, not hours) and
  // is overridden by the timeout and encoding after it.
  const char* keywords[] = {"keepalives_idle",
                            "keepalives_interval",
                            "keepalives_count",
                            "dbname",
                            "connect_timeout",
                            "client_encoding",
                            nullptr};
  const char* values[] = {"30", "10", "3", conninfo_.c_str(), timeout.c_str(), "UTF8", nullptr};
  conn_ = PQconnectdbParams(keywords, values, 1);
  if (conn_ == nullptr) throw TDBError("PostgreSQL: cannot connect to " + description_);
  if (PQstatus(conn_) != CONNECTION_OK) {
    const std::string reason = TrimmedMessage(PQerrorMessage(conn_));
    PQfinish(conn_);
    conn_ = nullptr;
    throw TDBError("PostgreSQL: cannot connect to " + description_ + ": " + reason);
  }
  // CREATE ... IF NOT EXISTS and friends send notices; a host has no console for them.
  PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
}

bool PostgresConnection::IsBroken() const {
  return conn_ == nullptr || PQstatus(conn_) != CONNECTION_OK;
}

void PostgresConnection::EnsureConnected() {
  if (IsBroken()) Connect();
}

void PostgresConnection::Fail(const PGresult* result, const std::string& shownSql) {
  // The primary message and its detail, without the caret drawing meant for a terminal.
  std::string reason;
  if (result) {
    reason = TrimmedMessage(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
    const std::string detail = TrimmedMessage(PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL));
    if (!detail.empty()) reason += " (" + detail + ")";
  }
  if (reason.empty()) reason = TrimmedMessage(PQerrorMessage(conn_));
  if (IsBroken()) reason += " (connection to " + description_ + " lost)";
  throw TDBError("PostgreSQL: " + reason + (shownSql.empty() ? "" : " [" + shownSql + "]"));
}

void PostgresConnection::Run(const std::string& sql, const std::string& shownSql) {
  CollectAhead();
  if (!PQsendQuery(conn_, sql.c_str())) Fail(nullptr, shownSql);
  // Read every result so the connection is idle again, and report the first failure.
  PgResult failure;
  while (PGresult* result = PQgetResult(conn_)) {
    const ExecStatusType status = PQresultStatus(result);
    if (!failure && status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK &&
        status != PGRES_EMPTY_QUERY) {
      failure.reset(result);
    } else {
      PQclear(result);
    }
  }
  if (failure || IsBroken()) Fail(failure.get(), shownSql);
}

PgResult PostgresConnection::Query(const std::string& sql, const PgParameters& parameters,
                                   bool binaryResult, const std::string& shownSql) {
  CollectAhead();
  PgResult result(PQexecParams(conn_, sql.c_str(), static_cast<int>(parameters.values.size()),
                               parameters.types.data(), parameters.values.data(),
                               parameters.lengths.data(), parameters.formats.data(),
                               binaryResult ? 1 : 0));
  const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) Fail(result.get(), shownSql);
  return result;
}

void PostgresConnection::RunQuietly(const std::string& sql) {
  if (IsBroken()) return;
  CollectAhead();
  PQclear(PQexec(conn_, sql.c_str()));
}

bool PostgresConnection::SendAhead(const std::string& owner, const std::string& sql) {
  if (!aheadOwner_.empty() || IsBroken()) return false;
  if (!PQsendQueryParams(conn_, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 1))
    return false;
  aheadOwner_ = owner;
  aheadInFlight_ = true;
  return true;
}

void PostgresConnection::PumpAhead() {
  if (aheadInFlight_) PQconsumeInput(conn_);
}

void PostgresConnection::CollectAhead() {
  if (!aheadInFlight_) return;
  aheadInFlight_ = false;
  // One statement, so one result and then the end; a second result cannot come.
  ahead_.reset(PQgetResult(conn_));
  while (PGresult* rest = PQgetResult(conn_)) PQclear(rest);
}

PgResult PostgresConnection::TakeAhead(const std::string& owner, const std::string& shownSql) {
  if (aheadOwner_.empty() || aheadOwner_ != owner) return nullptr;
  CollectAhead();
  aheadOwner_.clear();
  PgResult result = std::move(ahead_);
  const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) Fail(result.get(), shownSql);
  return result;
}

void PostgresConnection::DropAhead(const std::string& owner) {
  if (aheadOwner_.empty() || aheadOwner_ != owner) return;
  CollectAhead();
  aheadOwner_.clear();
  ahead_.reset();
}

}  // namespace vemora::gateways
