// The grid's records: one per catalogue row, in the order the load query returned them.
//
// Commands act on the focused record and on the marked records; the Qt grid is only a view
// of these. Record i pairs with row i of a fresh "Select * from Bilder" (the take-over
// relies on it), so nothing ever sorts them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemora {

struct GridRecord {
  std::string preview;  // JPEG bytes of VsBild, or empty
  std::string name;
  std::string beschreibung;
  std::string textTop;
  std::string textBottom;
  std::string textLeft;
  std::string textRight;
  // Full path of the image file; none ("unassigned") when the row has no image bytes.
  std::optional<std::string> filePath;
  int32_t key = 0;  // BildCtr2
  std::string suchbegriffe;
  bool marked = false;
  std::string sizeText;  // "<KiB> KByte" when the file exists
};

struct CatalogueGrid {
  std::vector<GridRecord> records;
  int focused = -1;  // -1: no record focused

  const GridRecord* Focused() const {
    return focused >= 0 && focused < static_cast<int>(records.size()) ? &records[focused] : nullptr;
  }
  std::vector<bool> Marks() const {
    std::vector<bool> marks;
    marks.reserve(records.size());
    for (const auto& record : records) marks.push_back(record.marked);
    return marks;
  }
};

// "<size / 1024, rounded down, at least 1> KByte".
std::string FileSizeText(uint64_t bytes);

}  // namespace vemora
