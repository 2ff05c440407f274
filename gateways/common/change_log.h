// The change table behind CatalogueChangeFeed, shared by both gateways: the statements that
// install it (a table of changes and triggers on Bilder that fill it) and the step that turns
// its entries into one change per row.
//
// Every insert, update and delete of a Bilder row adds an entry (sequence number, BildCtr,
// kind). Sequence numbers grow in commit order, so a reader that remembers the highest
// number it has seen misses nothing. Old entries are pruned when a gateway installs the
// feed; a reader whose token lies before the oldest kept entry is told to read everything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/dialect.h"
#include "vemora/change_feed.h"

namespace vemora::gateways {

inline constexpr const char* kChangeTable = "vemora_changes";

// Entries kept when the feed is installed; older ones go.
inline constexpr int64_t kKeptChangeEntries = 100000;

// Statements that create the change table and the triggers when missing and prune old
// entries. Running them again changes nothing else. For PostgreSQL the caller runs them in
// one transaction.
std::vector<std::string> ChangeLogInstallStatements(SqlEngine engine);

// The query for the entries after a token: seq, row_id, op, in order; its one parameter is
// the token. The second query gives the oldest and newest kept sequence numbers.
std::string ChangeEntriesQuery(SqlEngine engine);
std::string ChangeBoundsQuery();

struct ChangeEntry {
  int64_t seq = 0;
  int64_t rowId = 0;
  int op = 0;  // 1 insert, 2 update, 3 delete
};

// One change per row from entries in sequence order: a row inserted and then updated counts
// as added; a deleted row as deleted, whatever came before. `oldestKept` is the smallest kept
// sequence number (0 when the table is empty).
CatalogueChanges CoalesceChanges(uint64_t token, const std::vector<ChangeEntry>& entries,
                                 int64_t oldestKept, int64_t newestKept);

}  // namespace vemora::gateways
