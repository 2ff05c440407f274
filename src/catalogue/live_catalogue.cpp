#include "catalogue/live_catalogue.h"

#include <algorithm>

namespace vemora {

CatalogueChangeFeed* ChangeFeedOf(TDBGateway* gateway) {
  return dynamic_cast<CatalogueChangeFeed*>(gateway);
}

void LiveCatalogue::Start() {
  token_ = feed_.StartFeed();
  waiting_.clear();
  started_ = true;
}

std::optional<LiveCatalogue::Result> LiveCatalogue::Poll(const std::set<int64_t>& held) {
  if (!started_) return std::nullopt;
  const bool pending = feed_.ChangesPending();
  const bool released = std::any_of(waiting_.begin(), waiting_.end(),
                                    [&](int64_t rowId) { return !held.contains(rowId); });
  if (!pending && !released) return std::nullopt;

  Result result;
  std::set<int64_t> wanted = std::move(waiting_);
  waiting_.clear();
  if (pending) {
    const CatalogueChanges changes = feed_.ChangesSince(token_);
    token_ = changes.token;
    if (!changes.complete) {
      result.reloadNeeded = true;
      return result;
    }
    for (const CatalogueChange& change : changes.rows) wanted.insert(change.rowId);
  }
  for (int64_t rowId : held) {
    if (wanted.erase(rowId) > 0) waiting_.insert(rowId);
  }
  if (wanted.empty()) return std::nullopt;
  result.plan = PlanGridChanges(grid_.records(), ReadChangedRows(session_, wanted));
  ApplyGridPlan(grid_, result.plan);
  return result;
}

}  // namespace vemora
