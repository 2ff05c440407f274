#include "search/search_take_over.h"

#include <unordered_set>

namespace vemora {

int TakeOverSearchSelection(CatalogueGrid& grid, const std::vector<std::string>& checkedPaths) {
  const std::unordered_set<std::string> paths(checkedPaths.begin(), checkedPaths.end());
  int marked = 0;
  for (GridRecord& record : grid.records) {
    record.marked = paths.contains(record.Text(kItemFile));
    marked += record.marked ? 1 : 0;
  }
  return marked;
}

}  // namespace vemora
