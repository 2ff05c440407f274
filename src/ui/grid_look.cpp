#include "ui/grid_look.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace vemora::ui {

GridStyle GridStyleFromSetting(int value) {
  return value >= 0 && value <= 2 ? static_cast<GridStyle>(value) : GridStyle::UltraFlat;
}

GridLines GridLinesFromSetting(int value) {
  return value >= 0 && value <= 3 ? static_cast<GridLines>(value) : GridLines::Both;
}

QString HeaderStyleSheet(GridStyle style) {
  if (style == GridStyle::Standard) return {};
  // Ultra-flat sections melt into the cells; flat ones keep a button face.
  const bool ultra = style == GridStyle::UltraFlat;
  return QStringLiteral(
             "QHeaderView::section { border: none; border-right: 1px solid palette(%1);"
             " border-bottom: 1px solid palette(%1); background: palette(%2);"
             " padding: 2px 4px; color: palette(%3); }"
             "QHeaderView::section:checked { background: palette(midlight); }")
      .arg(ultra ? QStringLiteral("midlight") : QStringLiteral("mid"),
           ultra ? QStringLiteral("base") : QStringLiteral("button"),
           ultra ? QStringLiteral("text") : QStringLiteral("button-text"));
}

void PaintGridLines(const QTableView& view, QPainter& painter, GridLines lines,
                    const QColor& colour) {
  if (lines == GridLines::None || view.model() == nullptr) return;
  const QWidget* viewport = view.viewport();
  const QHeaderView* columns = view.horizontalHeader();
  const QHeaderView* rows = view.verticalHeader();
  // The lines end where the cells end, not at the viewport's edge.
  const int right = std::min(viewport->width(), columns->length() - columns->offset());
  const int bottom = std::min(viewport->height(), rows->length() - rows->offset());
  painter.setPen(QPen(colour, 0));
  if (lines == GridLines::Both || lines == GridLines::Horizontal) {
    const int rowCount = view.model()->rowCount();
    for (int row = std::max(0, view.rowAt(0)); row >= 0 && row < rowCount; ++row) {
      if (view.isRowHidden(row)) continue;
      const int y = view.rowViewportPosition(row) + view.rowHeight(row) - 1;
      if (y > viewport->height()) break;
      painter.drawLine(0, y, right - 1, y);
    }
  }
  if (lines == GridLines::Both || lines == GridLines::Vertical) {
    for (int visual = 0; visual < columns->count(); ++visual) {
      const int column = columns->logicalIndex(visual);
      if (columns->isSectionHidden(column)) continue;
      const int x = view.columnViewportPosition(column) + view.columnWidth(column) - 1;
      if (x < 0) continue;
      if (x > viewport->width()) break;
      painter.drawLine(x, 0, x, bottom - 1);
    }
  }
}

}  // namespace vemora::ui
