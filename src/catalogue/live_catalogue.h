// The grid kept true to a shared catalogue: the feed is asked, the changed rows are read
// again, and the grid follows (live_changes.h).
//
// The window owns one LiveCatalogue per call and polls it on its own thread; the session,
// grid and feed are borrowed and outlive it. Without a feed there is no LiveCatalogue and
// nothing changes.
#pragma once

#include <cstdint>
#include <optional>
#include <set>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "catalogue/live_changes.h"
#include "vemora/change_feed.h"

namespace vemora {

// The feed of a gateway, when it has one.
CatalogueChangeFeed* ChangeFeedOf(TDBGateway* gateway);

class LiveCatalogue {
 public:
  LiveCatalogue(CatalogueSession& session, CatalogueGrid& grid, CatalogueChangeFeed& feed)
      : session_(session), grid_(grid), feed_(feed) {}

  // Starts following from now: call after each load (the grid shows the catalogue as of
  // now). Throws TDBError.
  void Start();
  bool started() const { return started_; }

  struct Result {
    GridPlan plan;
    // The feed lost changes (pruned): the caller loads the catalogue again.
    bool reloadNeeded = false;
  };
  // Asks the feed; when rows changed, reads them and brings the grid up to date. Changes to
  // rows in `held` (a record being edited) wait for a later poll. None when the feed had
  // nothing to say (also while its connection is away); an empty plan when the news was
  // only of held rows or of a connection that is back. Throws TDBError (a lost connection,
  // reported once by the feed).
  std::optional<Result> Poll(const std::set<int64_t>& held = {});

 private:
  CatalogueSession& session_;
  CatalogueGrid& grid_;
  CatalogueChangeFeed& feed_;
  bool started_ = false;
  uint64_t token_ = 0;
  std::set<int64_t> waiting_;  // held back by an earlier poll, or not read because it failed
  bool askAgain_ = false;      // the last ChangesSince failed
};

}  // namespace vemora
