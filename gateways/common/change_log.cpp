#include "common/change_log.h"

#include <unordered_map>

namespace vemora::gateways {
namespace {

// The insert of one entry, in both engines' trigger bodies.
std::string EntryInsert(const char* row, int op) {
  return std::string("INSERT INTO ") + kChangeTable + " (row_id, op) VALUES (" + row +
         ".BildCtr, " + std::to_string(op) + ");";
}

std::string PruneStatement() {
  return std::string("DELETE FROM ") + kChangeTable + " WHERE seq <= (SELECT max(seq) FROM " +
         kChangeTable + ") - " + std::to_string(kKeptChangeEntries);
}

std::vector<std::string> SqliteStatements() {
  std::vector<std::string> statements = {
      std::string("CREATE TABLE IF NOT EXISTS ") + kChangeTable +
      " (seq INTEGER PRIMARY KEY AUTOINCREMENT, row_id INTEGER NOT NULL, op INTEGER NOT NULL)"};
  const struct {
    const char* event;
    const char* row;
    int op;
  } triggers[] = {{"INSERT", "NEW", 1}, {"UPDATE", "NEW", 2}, {"DELETE", "OLD", 3}};
  for (const auto& trigger : triggers) {
    statements.push_back(std::string("CREATE TRIGGER IF NOT EXISTS vemora_bilder_") +
                         AsciiLower(trigger.event) + " AFTER " + trigger.event +
                         " ON Bilder BEGIN " + EntryInsert(trigger.row, trigger.op) + " END");
  }
  statements.push_back(PruneStatement());
  return statements;
}

std::vector<std::string> PostgresStatements() {
  // The advisory lock, held to the end of the writing transaction, makes sequence numbers
  // commit in order: a reader never sees number n+1 before n. The notification names the
  // schema, so catalogues in different schemas of one database do not wake each other.
  const std::string function =
      std::string(
          "CREATE OR REPLACE FUNCTION vemora_bilder_changed() RETURNS trigger LANGUAGE plpgsql "
          "AS $$ BEGIN "
          "PERFORM pg_advisory_xact_lock(hashtext('vemora_changes.' || TG_TABLE_SCHEMA)); "
          "IF TG_OP = 'DELETE' THEN ") +
      EntryInsert("OLD", 3) + " ELSIF TG_OP = 'INSERT' THEN " + EntryInsert("NEW", 1) + " ELSE " +
      EntryInsert("NEW", 2) +
      " END IF; "
      "PERFORM pg_notify('vemora_' || TG_TABLE_SCHEMA, ''); "
      "RETURN NULL; END $$";
  return {
      std::string("CREATE TABLE IF NOT EXISTS ") + kChangeTable +
          " (seq BIGSERIAL PRIMARY KEY, row_id BIGINT NOT NULL, op SMALLINT NOT NULL)",
      function,
      "CREATE OR REPLACE TRIGGER vemora_bilder_changed AFTER INSERT OR UPDATE OR DELETE ON "
      "bilder FOR EACH ROW EXECUTE FUNCTION vemora_bilder_changed()",
      PruneStatement(),
  };
}

}  // namespace

std::vector<std::string> ChangeLogInstallStatements(SqlEngine engine) {
  return engine == SqlEngine::Sqlite ? SqliteStatements() : PostgresStatements();
}

std::string ChangeEntriesQuery(SqlEngine engine) {
  return std::string("SELECT seq, row_id, op FROM ") + kChangeTable + " WHERE seq > " +
         (engine == SqlEngine::Sqlite ? "?1" : "$1") + " ORDER BY seq";
}

std::string ChangeBoundsQuery() {
  return std::string("SELECT coalesce(min(seq), 0), coalesce(max(seq), 0) FROM ") + kChangeTable;
}

CatalogueChanges CoalesceChanges(uint64_t token, const std::vector<ChangeEntry>& entries,
                                 int64_t oldestKept, int64_t newestKept) {
  CatalogueChanges changes;
  changes.token = token;
  // Entries after the token were pruned, or the table was made anew under the reader.
  const auto signedToken = static_cast<int64_t>(token);
  if ((oldestKept > signedToken + 1) || newestKept < signedToken) {
    changes.complete = false;
    changes.token = static_cast<uint64_t>(newestKept);
    return changes;
  }
  std::unordered_map<int64_t, size_t> position;
  for (const ChangeEntry& entry : entries) {
    changes.token = static_cast<uint64_t>(entry.seq);
    const auto kind = entry.op == 1   ? CatalogueChange::Kind::Added
                      : entry.op == 3 ? CatalogueChange::Kind::Deleted
                                      : CatalogueChange::Kind::Changed;
    auto [at, inserted] = position.try_emplace(entry.rowId, changes.rows.size());
    if (inserted) {
      changes.rows.push_back({entry.rowId, kind});
      continue;
    }
    CatalogueChange& row = changes.rows[at->second];
    // An update after the insert is still news of an added row.
    if (!(row.kind == CatalogueChange::Kind::Added && kind == CatalogueChange::Kind::Changed))
      row.kind = kind;
  }
  return changes;
}

}  // namespace vemora::gateways
