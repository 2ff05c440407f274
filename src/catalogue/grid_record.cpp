#include "catalogue/grid_record.h"

namespace vemora {

std::string GridRecord::Text(int item) const {
  switch (item) {
    case kItemName:
      return name;
    case kItemBeschreibung:
      return beschreibung;
    case kItemTextTop:
      return textTop;
    case kItemTextBottom:
      return textBottom;
    case kItemTextLeft:
      return textLeft;
    case kItemTextRight:
      return textRight;
    case kItemFile:
    case kItemPath:
      return filePath.value_or("");
    case kItemKey:
      return std::to_string(key);
    case kItemSuchbegriffe:
      return suchbegriffe;
    case kItemSize:
      return sizeText;
    default:
      return {};
  }
}

std::vector<bool> CatalogueGrid::Marks() const {
  std::vector<bool> marks;
  marks.reserve(records.size());
  for (const auto& record : records) marks.push_back(record.marked);
  return marks;
}

void CatalogueGrid::MarkAll() {
  for (auto& record : records) record.marked = true;
}

void CatalogueGrid::UnmarkAll() {
  for (auto& record : records) record.marked = false;
}

void CatalogueGrid::InvertMarks() {
  for (auto& record : records) record.marked = !record.marked;
}

std::vector<std::string> CatalogueGrid::MarkedNames() const {
  std::vector<std::string> names;
  for (const auto& record : records)
    if (record.marked) names.push_back(record.name);
  return names;
}

void FocusPreselectedKey(CatalogueGrid& grid, int32_t preselectKey) {
  if (preselectKey == -1) return;
  for (int i = 0; i < grid.Count(); ++i)
    if (grid.records[static_cast<size_t>(i)].key == preselectKey) grid.focused = i;
}

}  // namespace vemora
