#include "ui/grid_report.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <map>

#include "fileops/report_pages.h"
#include "ui/banded_header.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/picture.h"
#include "ui/print_job.h"

namespace vemora::ui {
namespace {

constexpr int kCellPadding = 2;
constexpr int kPictureRowHeight = 104;  // as in the grid: previews are 100 pixels high
constexpr int kCheckBoxSize = 12;
const QColor kHeaderColour(0xE0, 0xE0, 0xE0);
const QColor kLineColour(0x80, 0x80, 0x80);

int BandOf(const BandedHeader& header, int item) {
  const auto& bands = header.bands();
  for (size_t band = 0; band < bands.size(); ++band)
    if (std::ranges::count(bands[band].columns, item) > 0) return static_cast<int>(band);
  return -1;
}

bool IsTextItem(int item) { return item != kItemPreview && item != kItemMark; }

class ReportPainter {
 public:
  ReportPainter(QPainter& painter, const GridReportView& view)
      : painter_(painter), view_(view), metrics_(view.font) {
    headerRowHeight_ = metrics_.height() + 2 * kCellPadding + 2;
    for (const ReportColumn& column : view.columns) {
      width_ += column.width;
      pictures_ = pictures_ || column.item == kItemPreview;
    }
  }

  int width() const { return width_; }
  int HeaderHeight() const {
    return (view_.bandHeaders ? headerRowHeight_ : 0) +
           (view_.columnHeaders ? headerRowHeight_ : 0);
  }

  // As the grid fits its rows: tall enough for a preview and for every wrapped text.
  int RowHeight(const GridRecord& record) const {
    int height = pictures_ ? kPictureRowHeight : metrics_.height() + 2 * kCellPadding;
    for (const ReportColumn& column : view_.columns) {
      if (!IsTextItem(column.item)) continue;
      const QString text = QString::fromStdString(record.Text(column.item));
      if (text.isEmpty()) continue;
      const QRect bounds =
          metrics_.boundingRect(QRect(0, 0, std::max(1, column.width - 2 * kCellPadding), 1 << 20),
                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
      height = std::max(height, bounds.height() + 2 * kCellPadding);
    }
    return height;
  }

  void PaintHeader() {
    int top = 0;
    if (view_.bandHeaders) {
      for (const ReportBand& band : view_.bands) {
        const int left = Left(band.first);
        HeaderCell(QRect(left, top, Left(band.first + band.count) - left, headerRowHeight_),
                   band.caption, Qt::AlignCenter);
      }
      top += headerRowHeight_;
    }
    if (view_.columnHeaders) {
      for (size_t index = 0; index < view_.columns.size(); ++index) {
        const ReportColumn& column = view_.columns[index];
        HeaderCell(QRect(Left(static_cast<int>(index)), top, column.width, headerRowHeight_),
                   column.caption, Qt::AlignLeft | Qt::AlignVCenter);
      }
    }
  }

  void PaintRow(const GridRecord& record, int top, int height) {
    int left = 0;
    for (const ReportColumn& column : view_.columns) {
      const QRect cell(left, top, column.width, height);
      PaintCell(record, column.item, cell);
      painter_.setPen(QPen(kLineColour, 0));
      painter_.setBrush(Qt::NoBrush);
      painter_.drawRect(cell);
      left += column.width;
    }
  }

 private:
  int Left(int column) const {
    int left = 0;
    for (int index = 0; index < column; ++index)
      left += view_.columns[static_cast<size_t>(index)].width;
    return left;
  }

  void HeaderCell(const QRect& cell, const QString& text, Qt::Alignment alignment) {
    painter_.setPen(QPen(kLineColour, 0));
    painter_.setBrush(kHeaderColour);
    painter_.drawRect(cell);
    painter_.setPen(Qt::black);
    painter_.setFont(view_.font);
    painter_.drawText(cell.adjusted(kCellPadding, 0, -kCellPadding, 0), alignment, text);
  }

  void PaintCell(const GridRecord& record, int item, const QRect& cell) {
    const QRect area = cell.adjusted(kCellPadding, kCellPadding, -kCellPadding, -kCellPadding);
    if (item == kItemPreview) {
      if (record.preview.empty()) return;
      // Decoded for this cell only; the page keeps no pictures.
      const QImage picture = GridCellPicture(record.preview);
      const QRect box(area.topLeft(),
                      QSize(area.width(), std::min(area.height(), kPictureRowHeight - 4)));
      if (picture.isNull()) {
        // Bytes that are no picture leave their frame empty.
        painter_.setPen(QPen(Qt::black, 0));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(box);
        return;
      }
      QSize size = picture.size();
      if (size.width() > box.width() || size.height() > box.height())
        size.scale(box.size(), Qt::KeepAspectRatio);
      painter_.drawImage(QRect(box.topLeft(), size), picture);
      return;
    }
    if (item == kItemMark) {
      const QRect box(area.left() + (area.width() - kCheckBoxSize) / 2, area.top(), kCheckBoxSize,
                      kCheckBoxSize);
      painter_.setPen(QPen(Qt::black, 0));
      painter_.setBrush(Qt::NoBrush);
      painter_.drawRect(box);
      if (record.marked) {
        painter_.drawLine(box.topLeft() + QPoint(2, 6), box.topLeft() + QPoint(5, 9));
        painter_.drawLine(box.topLeft() + QPoint(5, 9), box.topLeft() + QPoint(10, 3));
      }
      return;
    }
    const QString text = QString::fromStdString(record.Text(item));
    if (text.isEmpty()) return;
    painter_.setPen(Qt::black);
    painter_.setFont(view_.font);
    painter_.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  }

  QPainter& painter_;
  const GridReportView& view_;
  QFontMetrics metrics_;
  int headerRowHeight_ = 0;
  int width_ = 0;
  bool pictures_ = false;
};

}  // namespace

GridReportView ReportViewOf(const GridView& view) {
  GridReportView report;
  const BandedHeader& header = *view.bandedHeader();
  const QAbstractItemModel* model = view.model();
  int lastBand = -2;
  for (int visual = 0; visual < header.count(); ++visual) {
    const int item = header.logicalIndex(visual);
    if (item == kItemSpacer || header.isSectionHidden(item)) continue;
    const int column = static_cast<int>(report.columns.size());
    report.columns.push_back({item,
                              model->headerData(item, Qt::Horizontal, Qt::DisplayRole).toString(),
                              header.sectionSize(item)});
    const int band = BandOf(header, item);
    if (band == lastBand && !report.bands.empty()) {
      ++report.bands.back().count;
    } else {
      const QString caption =
          band >= 0 ? header.bands()[static_cast<size_t>(band)].caption : QString();
      report.bands.push_back({caption, column, 1});
      lastBand = band;
    }
  }
  report.columnHeaders = !header.isHidden();
  report.bandHeaders = report.columnHeaders && header.bandHeadersVisible();
  report.font = InLayoutPixels(view.font());
  return report;
}

void PrintGridReport(QPrinter& printer, const QString& title, const CatalogueGrid& grid,
                     const GridReportView& view) {
  QPainter painter(&printer);
  BeginLayoutPixels(painter, printer);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  ReportPainter report(painter, view);
  const QRectF area = PrintArea(printer);
  const double scale = ShrinkToPageWidth(report.width(), area.width());
  const int pageHeight = static_cast<int>(std::floor(area.height() / scale));

  // Heights of the rows measured for the page being filled (and the one carried over).
  std::map<int32_t, int32_t> heights;
  ReportPaginator pages(grid.Count(), pageHeight, report.HeaderHeight());
  const auto measure = [&](int32_t row) {
    return heights[row] = report.RowHeight(grid.Record(row));
  };
  int pageNumber = 0;
  auto page = pages.NextPage(measure);
  do {
    if (pageNumber > 0) printer.newPage();
    PaintPageHeader(painter, printer, title, ++pageNumber);
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(0, 0, report.width() + 1, pageHeight + 1));
    report.PaintHeader();
    if (page) {
      int top = report.HeaderHeight();
      for (int32_t row = page->first; row < page->end; ++row) {
        const int height = heights[row];
        report.PaintRow(grid.Record(row), top, height);
        top += height;
        heights.erase(row);
      }
    }
    painter.restore();
  } while (page && (page = pages.NextPage(measure)));
}

}  // namespace vemora::ui
