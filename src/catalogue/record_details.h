// The details command without its dialog: the seven descriptive texts of one grid record,
// the size line the dialog shows, and writing edited texts back.
//
// Confirmed texts are written to table Bilder at once, one column update per changed text,
// and each grid cell takes its text only when its update succeeded, so grid and catalogue
// agree even when a statement fails halfway.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

struct RecordTexts {
  std::string name;
  std::string beschreibung;
  std::string textTop;
  std::string textBottom;
  std::string textLeft;
  std::string textRight;
  std::string suchbegriffe;

  bool operator==(const RecordTexts&) const = default;
};

RecordTexts TextsOfRecord(const GridRecord& record);

// "Bildgröße": "%d x %d Pixel (%s)" with the record's size text, or without the brackets
// when that is empty.
std::string DetailSizeText(int32_t width, int32_t height, const std::string& sizeText);

// Writes the texts that differ from record `row`'s. Returns how many were written; 0 means
// the grid record is unchanged and nothing needs repainting.
int WriteRecordTexts(CatalogueSession& session, CatalogueGrid& grid, int row,
                     const RecordTexts& texts);

}  // namespace vemora
