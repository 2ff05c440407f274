// The grid's records: one per catalogue row, in the order the load query returned them.
//
// Commands act on the focused record and on the marked records; the Qt grid is only a view
// of these. Record i pairs with row i of a fresh "Select * from Bilder" (the take-over
// relies on it), so nothing ever sorts them. The grid owns its records; views read them
// by index and write back only the mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemora {

// Item indices of a grid record: how every command addresses a value, and the grid's
// column numbers.
enum GridItem : int {
  kItemPreview = 0,       // FT_Bild
  kItemName = 1,          // FT_Name
  kItemBeschreibung = 2,  // FT_Beschreibung
  kItemTextTop = 3,       // FT_Oben
  kItemTextBottom = 4,    // FT_Unten
  kItemTextLeft = 5,      // FT_Links
  kItemTextRight = 6,     // FT_Rechts
  kItemFile = 7,          // sec_file (hidden)
  kItemKey = 8,           // sec_ctr (hidden)
  kItemSuchbegriffe = 9,  // FT_Suchbegriffe
  kItemMark = 10,         // FT_Auswahl
  kItemSpacer = 11,
  kItemPath = 12,  // FT_Path
  kItemSize = 13,  // FT_SIZE
  kItemUnused = 14,
  kItemCount = 15
};

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

  // The text a column shows: the path for "unassigned" is empty.
  std::string Text(int item) const;
};

struct CatalogueGrid {
  std::vector<GridRecord> records;
  int focused = -1;  // -1: no record focused

  int Count() const { return static_cast<int>(records.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  const GridRecord* Focused() const { return Contains(focused) ? &records[focused] : nullptr; }
  std::vector<bool> Marks() const;

  // "Alles", "Keine" and "Invertieren".
  void MarkAll();
  void UnmarkAll();
  void InvertMarks();
  // The selection panel's list: names of the marked records in record order.
  std::vector<std::string> MarkedNames() const;
};

// In single-selection mode: focuses the last record with the key (no change when none, or
// for the key -1).
void FocusPreselectedKey(CatalogueGrid& grid, int32_t preselectKey);

}  // namespace vemora
