#include "postgres/postgres_gateway.h"

#include "common/catalogue_schema.h"
#include "common/dialect.h"
#include "postgres/postgres_binary.h"
#include "postgres/postgres_connection.h"
#include "postgres/postgres_result_set.h"

namespace vemora::gateways {
namespace {

TranslatedStatement Translate(const std::string& sql, size_t values) {
  TranslatedStatement translated = TranslateStatement(sql, SqlEngine::Postgres);
  if (static_cast<size_t>(translated.markerCount) != values) {
    throw TDBError("PostgreSQL: statement has " + std::to_string(translated.markerCount) +
                   " parameter markers but " + std::to_string(values) + " values [" + sql + "]");
  }
  return translated;
}

// Names go into DDL quoted, in the folded (lower-case) form that bare names take.
std::string QuotedName(const std::string& name) {
  std::string quoted = "\"";
  for (char c : AsciiLower(BareName(name))) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

PostgresGateway::PostgresGateway(const std::string& conninfo, int connectTimeoutSeconds)
    : conninfo_(conninfo),
      connectTimeoutSeconds_(connectTimeoutSeconds),
      command_(std::make_unique<PostgresConnection>(conninfo, connectTimeoutSeconds)) {}

PostgresGateway::~PostgresGateway() {
  resultSets_.clear();  // their cursors end before the reader connection goes
}

void PostgresGateway::ExecSQL(const std::string& sql, uint8_t /*mode*/) {
  const TranslatedStatement translated = Translate(sql, 0);
  command_->EnsureConnected();
  command_->Run(translated.sql, sql);
}

void PostgresGateway::ExecSQLParams(const std::string& sql, const std::vector<TDBValue>& values,
                                    int32_t /*option1*/, int32_t /*option2*/) {
  const TranslatedStatement translated = Translate(sql, values.size());
  const PgParameters parameters = MakeParameters(values);
  command_->EnsureConnected();
  command_->Query(translated.sql, parameters, false, sql);
}

void PostgresGateway::FreeClosedResultSets() {
  std::erase_if(resultSets_, [](const auto& resultSet) { return resultSet->closed(); });
}

TDBResultSet* PostgresGateway::OpenSQL(const std::string& sql, int32_t /*option1*/,
                                       int32_t /*option2*/) {
  FreeClosedResultSets();
  const TranslatedStatement translated = Translate(sql, 0);
  Reader();
  resultSets_.push_back(std::make_unique<PostgresResultSet>(
      reader_, "vemora_cursor" + std::to_string(nextCursor_++), sql, translated.sql, leftOut_));
  return resultSets_.back().get();
}

void PostgresGateway::LeaveOut(const std::string& table, const std::string& column, bool on) {
  const std::pair<std::string, std::string> entry{AsciiLower(BareName(table)),
                                                  AsciiLower(BareName(column))};
  std::erase(leftOut_, entry);
  if (on) leftOut_.push_back(entry);
}

std::unique_ptr<TDBGateway> PostgresGateway::OpenAnother() {
  return std::make_unique<PostgresGateway>(conninfo_, connectTimeoutSeconds_);
}

PostgresReader& PostgresGateway::Reader() {
  if (!reader_) reader_ = std::make_shared<PostgresReader>(conninfo_, connectTimeoutSeconds_);
  return *reader_;
}

void PostgresGateway::AddField(const std::string& table, const std::string& column,
                               int32_t fieldType, int32_t size, const TDBValue& /*defaultValue*/) {
  const std::string type = ColumnTypeFor(fieldType, size, SqlEngine::Postgres, table, column);
  // ALTER TABLE waits for every reader of the table, another host's open catalogue
  // included; a bounded wait turns that into an error instead of a frozen window. The three
  // statements run as one implicit transaction, so a failure also undoes the SET.
  const std::string sql = "SET lock_timeout = '10s'; ALTER TABLE " + QuotedName(table) +
                          " ADD COLUMN " + QuotedName(column) + " " + type + "; RESET lock_timeout";
  command_->EnsureConnected();
  command_->Run(sql, sql);
}

bool PostgresGateway::FieldExists(const std::string& table, const std::string& column,
                                  int32_t /*option1*/, int32_t /*option2*/) {
  // to_regclass follows search_path, as the catalogue's own statements do.
  const std::string sql =
      "SELECT count(*) FROM pg_attribute WHERE attrelid = to_regclass(quote_ident(lower($1))) "
      "AND attnum > 0 AND NOT attisdropped AND lower(attname) = lower($2)";
  const std::vector<TDBValue> values = {TDBValue::Text(std::string(BareName(table))),
                                        TDBValue::Text(std::string(BareName(column)))};
  command_->EnsureConnected();
  PgResult result = command_->Query(sql, MakeParameters(values), true, sql);
  return BinaryToInteger(
             {PQgetvalue(result.get(), 0, 0), static_cast<size_t>(PQgetlength(result.get(), 0, 0))},
             PQftype(result.get(), 0)) > 0;
}

void PostgresGateway::CreateCatalogueTables() {
  for (const std::string& statement : CatalogueSchemaStatements(SqlEngine::Postgres)) {
    ExecSQL(statement, 4);
  }
}

int PostgresGateway::CommandBackendPid() {
  command_->EnsureConnected();
  return PQbackendPID(command_->raw());
}

}  // namespace vemora::gateways
