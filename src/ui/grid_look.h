// The grid's look from the options: frame and header style, which cell lines are drawn and
// in what colour, and whether the columns are fitted to the window's width. QTableView
// draws either both kinds of line or none, so the grid draws its lines itself with
// PaintGridLines.
#pragma once

#include <QColor>
#include <QString>

class QPainter;
class QTableView;

namespace vemora::ui {

enum class GridStyle { UltraFlat = 0, Flat = 1, Standard = 2 };
enum class GridLines { Both = 0, Horizontal = 1, Vertical = 2, None = 3 };

struct GridLook {
  GridStyle style = GridStyle::UltraFlat;
  GridLines lines = GridLines::Both;
  QColor colour = Qt::black;
  bool autoWidth = true;
};

// Out-of-range numbers from the settings give the defaults.
GridStyle GridStyleFromSetting(int value);
GridLines GridLinesFromSetting(int value);

// The column header's look for a grid style (empty for the application's own).
QString HeaderStyleSheet(GridStyle style);

// Draws the lines between the visible cells of `view` onto its viewport.
void PaintGridLines(const QTableView& view, QPainter& painter, GridLines lines,
                    const QColor& colour);

}  // namespace vemora::ui
