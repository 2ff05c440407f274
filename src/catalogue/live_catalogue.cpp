#include "catalogue/live_catalogue.h"

#include <algorithm>

namespace vemora {

CatalogueChangeFeed* ChangeFeedOf(TDBGateway* gateway) {
  return dynamic_cast<CatalogueChangeFeed*>(gateway);
}

void LiveCatalogue::Start() {
  token_ = feed_.StartFeed();
  waiting_.clear();
  askAgain_ = false;
  started_ = true;
}

std::optional<LiveCatalogue::Result> LiveCatalogue::Poll(const std::set<int64_t>& held) {
  if (!started_) return std::nullopt;
  // A ChangesSince that failed last time is asked again, whatever the feed says now.
  const bool pending = feed_.ChangesPending() || askAgain_;
  const bool released = std::any_of(waiting_.begin(), waiting_.end(),
                                    [&](int64_t rowId) { return !held.contains(rowId); });
  if (!pending && !released) return std::nullopt;

  Result result;
  std::set<int64_t> wanted;
  if (pending) {
    askAgain_ = true;
    const CatalogueChanges changes = feed_.ChangesSince(token_);
    askAgain_ = false;
    token_ = changes.token;
    if (!changes.complete) {
      waiting_.clear();
      result.reloadNeeded = true;
      return result;
    }
    for (const CatalogueChange& change : changes.rows) wanted.insert(change.rowId);
  }
  wanted.merge(waiting_);
  waiting_.clear();
  for (int64_t rowId : held) {
    if (wanted.erase(rowId) > 0) waiting_.insert(rowId);
  }
  if (wanted.empty()) return result;
  std::vector<ChangedRow> rows;
  try {
    rows = ReadChangedRows(session_, wanted);
  } catch (...) {
    // The token has moved on: these rows are read at the next poll instead.
    waiting_.insert(wanted.begin(), wanted.end());
    throw;
  }
  result.plan = PlanGridChanges(grid_.records(), rows);
  ApplyGridPlan(grid_, result.plan);
  return result;
}

}  // namespace vemora
