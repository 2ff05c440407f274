#include "catalogue/record_details.h"

#include <array>
#include <cstdio>

#include "catalogue/editing.h"
#include "catalogue/records.h"

namespace vemora {

RecordTexts TextsOfRecord(const GridRecord& record) {
  return {record.name,     record.beschreibung, record.textTop,     record.textBottom,
          record.textLeft, record.textRight,    record.suchbegriffe};
}

std::string DetailSizeText(int32_t width, int32_t height, const std::string& sizeText) {
  char pixels[48];
  std::snprintf(pixels, sizeof pixels, "%d x %d Pixel", width, height);
  if (sizeText.empty()) return pixels;
  return std::string(pixels) + " (" + sizeText + ")";
}

int WriteRecordTexts(CatalogueSession& session, CatalogueGrid& grid, int row,
                     const RecordTexts& texts) {
  struct Column {
    int32_t selector;
    std::string RecordTexts::*text;
  };
  static constexpr std::array<Column, 7> kColumns = {{
      {kFieldName, &RecordTexts::name},
      {kFieldBeschreibung, &RecordTexts::beschreibung},
      {kFieldTextTop, &RecordTexts::textTop},
      {kFieldTextBottom, &RecordTexts::textBottom},
      {kFieldTextLeft, &RecordTexts::textLeft},
      {kFieldTextRight, &RecordTexts::textRight},
      {kFieldSuchbegriffe, &RecordTexts::suchbegriffe},
  }};
  const RecordTexts stored = TextsOfRecord(grid.Record(row));
  int written = 0;
  for (const Column& column : kColumns) {
    if (stored.*column.text == texts.*column.text) continue;
    CommitCellEdit(session, grid, row, column.selector, texts.*column.text);
    ++written;
  }
  return written;
}

}  // namespace vemora
