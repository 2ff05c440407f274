// "Alles Drucken": the catalogue grid as a printed table, in its current view (the visible
// bands and columns at their widths, the header rows that show, previews and texts).
//
// The report is laid out and drawn one page at a time: a row is measured when its page is
// being filled and its preview is decoded only while its row is drawn, so a catalogue of
// any size costs the memory of one page. The table is shrunk to the page's width.
#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "catalogue/grid_record.h"

class QPrinter;

namespace vemora::ui {

class GridView;

// The report's print job title.
inline constexpr const char* kGridReportTitle = "Galeriekasten - Alle Bilder";

struct ReportColumn {
  int item = 0;  // GridItem
  QString caption;
  int width = 0;  // layout pixels
};

// A band over `count` columns of the report starting at `first`.
struct ReportBand {
  QString caption;
  int first = 0;
  int count = 0;
};

struct GridReportView {
  std::vector<ReportColumn> columns;  // in display order
  std::vector<ReportBand> bands;
  bool bandHeaders = true;
  bool columnHeaders = true;
  QFont font;  // in layout pixels
};

// What the grid shows now. Headers print in the default style: the focused column's
// highlight is the screen's only.
GridReportView ReportViewOf(const GridView& view);

// Prints every record of `grid` onto `printer`, page by page, each page with the job title
// in its header and the table's header rows above its records.
void PrintGridReport(QPrinter& printer, const QString& title, const CatalogueGrid& grid,
                     const GridReportView& view);

}  // namespace vemora::ui
