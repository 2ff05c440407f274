#include "catalogue/window_rules.h"

#include <charconv>

namespace vemora {

CommandStates CommandStatesFor(const CatalogueGrid& grid) {
  return {grid.Focused() != nullptr, grid.Count() > 0};
}

bool HeaderTakesFocusStyle(int item) {
  return (item >= kItemPreview && item <= kItemTextRight) || item == kItemSuchbegriffe;
}

bool EditKeysStayInCell(int item) { return item != kItemPreview && HeaderTakesFocusStyle(item); }

int ResolveThumbnailSize(int mode, int given, int stored, int current) {
  if (mode == kThumbnailSizeFromSettings) return stored;
  if (mode == kThumbnailSizeGiven && given > 0) return given;
  return current;
}

std::optional<int> ParseThumbnailSize(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (value < kThumbnailSizeMin || value > kThumbnailSizeMax) return std::nullopt;
  return value;
}

std::vector<ThumbnailEntry> ThumbnailEntries(const CatalogueGrid& grid, bool placeholderExists) {
  std::vector<ThumbnailEntry> entries;
  entries.reserve(grid.records().size());
  for (int i = 0; i < grid.Count(); ++i)
    entries.push_back(ThumbnailEntryFor(grid.Record(i), i, placeholderExists));
  return entries;
}

ThumbnailEntry ThumbnailEntryFor(const GridRecord& record, int index, bool placeholderExists) {
  ThumbnailEntry entry{record.name, index, ThumbnailEntry::Picture::None};
  if (record.HasPreview())
    entry.picture = ThumbnailEntry::Picture::Preview;
  else if (placeholderExists)
    entry.picture = ThumbnailEntry::Picture::Placeholder;
  return entry;
}

std::string PlaceholderPath(const std::string& tempFolder) {
  return tempFolder.empty() ? std::string() : tempFolder + "Leer.BMP";
}

}  // namespace vemora
