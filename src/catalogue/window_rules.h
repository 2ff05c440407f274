// Small rules of the main window that need no window: which commands a focus allows,
// which columns keep the Delete and Insert keys for the cell, and the thumbnail size.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/grid_record.h"

namespace vemora {

struct CommandStates {
  // "Quelle ändern", "Löschen", "Details", the "Datei", "Suchbegriffe" and "&Auswahl"
  // menus, "Aktualisieren", the EXIF button, the zoom and keyword combos, ...
  bool recordCommands = false;
  // "Suchen" and "Alles Drucken".
  bool wholeCatalogueCommands = false;
};

CommandStates CommandStatesFor(const CatalogueGrid& grid);

// A focused header among "Bild" and the text columns takes the selection style.
bool HeaderTakesFocusStyle(int item);

// While a text column is focused, Delete and Insert edit the cell instead of running
// "Löschen" and "Hinzufügen".
bool EditKeysStayInCell(int item);

inline constexpr int kThumbnailSizeMin = 10;
inline constexpr int kThumbnailSizeMax = 200;
inline constexpr int kThumbnailSizeLarge = 100;   // "groß"
inline constexpr int kThumbnailSizeMedium = 75;   // "mittel"
inline constexpr int kThumbnailSizeSmall = 50;    // "klein"
inline constexpr int kThumbnailPanelMargin = 40;  // panel width = size + margin

enum ThumbnailSizeMode { kThumbnailSizeFromSettings = 1, kThumbnailSizeGiven = 2 };

// The size the strip takes: mode 1 the stored THUMBSSIZE, mode 2 the given value when it
// is above 0; otherwise the current size stays.
int ResolveThumbnailSize(int mode, int given, int stored, int current);

// What the size edit accepts: a whole number from 10 to 200.
std::optional<int> ParseThumbnailSize(const std::string& text);

struct ThumbnailEntry {
  enum class Picture { Preview, Placeholder, None };
  std::string caption;  // item 1
  int recordIndex = 0;
  Picture picture = Picture::None;
};

// The entry of one record.
ThumbnailEntry ThumbnailEntryFor(const GridRecord& record, int index, bool placeholderExists);

// The strip for the grid: one entry per record in order. A record without a preview
// shows the placeholder when one exists.
std::vector<ThumbnailEntry> ThumbnailEntries(const CatalogueGrid& grid, bool placeholderExists);

// The placeholder picture's path in the call's temp folder ("" without a temp folder).
std::string PlaceholderPath(const std::string& tempFolder);

}  // namespace vemora
