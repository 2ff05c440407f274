// What other hosts did to table Bilder: an optional companion of TDBGateway.
//
// A gateway may also derive from CatalogueChangeFeed; the library finds out at run time
// (dynamic_cast from the gateway it was given) and otherwise works as before. The feed
// answers two questions: cheaply, "may anything have changed since I last asked?", and,
// with a statement of its own, "which rows changed after token T?". Rows are named by their
// database counter `BildCtr`, which never changes and orders "SELECT * FROM Bilder".
//
// The gateway prepares the database for the feed itself (a change table and triggers on
// Bilder, installed once and idempotently); the library never issues those statements. The
// feed reports every change, this host's own included: the reader compares the rows with
// what it shows.
#pragma once

#include <cstdint>
#include <vector>

namespace vemora {

struct CatalogueChange {
  enum class Kind { Added, Changed, Deleted };
  int64_t rowId = 0;  // BildCtr
  Kind kind = Kind::Changed;

  friend bool operator==(const CatalogueChange&, const CatalogueChange&) = default;
};

struct CatalogueChanges {
  // Pass this to the next ChangesSince.
  uint64_t token = 0;
  // One entry per row, with the row's last change, in the order the changes happened.
  std::vector<CatalogueChange> rows;
  // False when changes before the token were pruned: the reader must read everything again.
  bool complete = true;
};

class CatalogueChangeFeed {
 public:
  virtual ~CatalogueChangeFeed() = default;
  // Prepares the catalogue for the feed when needed and returns the token of "now".
  // Throws TDBError.
  virtual uint64_t StartFeed() = 0;
  // Cheap and local where the engine allows it (no round trip): true when rows may have
  // changed since the last StartFeed or ChangesSince. A lost connection throws TDBError
  // once; later calls try to connect again and answer true when they did, so the reader
  // catches up.
  virtual bool ChangesPending() = 0;
  // The rows changed after `token`. Throws TDBError.
  virtual CatalogueChanges ChangesSince(uint64_t token) = 0;
};

}  // namespace vemora
