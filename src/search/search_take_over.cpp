#include "search/search_take_over.h"

#include <algorithm>
#include <unordered_set>

namespace vemora {

int TakeOverSearchSelection(CatalogueGrid& grid, const std::vector<std::string>& checkedPaths) {
  const std::unordered_set<std::string> paths(checkedPaths.begin(), checkedPaths.end());
  std::vector<bool> marks;
  marks.reserve(grid.records().size());
  for (const GridRecord& record : grid.records())
    marks.push_back(paths.contains(record.Text(kItemFile)));
  grid.SetMarks(marks);
  return static_cast<int>(std::count(marks.begin(), marks.end(), true));
}

}  // namespace vemora
