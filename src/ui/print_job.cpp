#include "ui/print_job.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace vemora::ui {
namespace {

constexpr double kMmPerInch = 25.4;

double MmToLayout(double mm) { return mm / kMmPerInch * kLayoutDpi; }

class PrintPreviewDialog : public PrintPreview {
 public:
  bool PrinterInstalled() override { return !QPrinterInfo::availablePrinters().isEmpty(); }

  void Show(QPrinter& printer, QWidget* parent,
            const std::function<void(QPrinter& printer)>& paint) override {
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName("printPreview");
    preview.setWindowTitle(printer.docName());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* target) { paint(*target); });
    preview.exec();
  }
};

}  // namespace

void SetUpPrintJob(QPrinter& printer, const QString& title) {
  printer.setDocName(title);
  printer.setFullPage(true);
  printer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                  QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                  QPageLayout::Millimeter));
}

void BeginLayoutPixels(QPainter& painter, QPrinter& printer) {
  // A printer that lost full-page mode (choosing another output does that) puts the
  // painter's origin at the margin.
  if (!printer.fullPage())
    painter.translate(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
  const double scale = printer.resolution() / kLayoutDpi;
  painter.scale(scale, scale);
}

QRectF PrintArea(const QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
  const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
  return {MmToLayout(margins.left()), MmToLayout(margins.top()),
          MmToLayout(paper.width() - margins.left() - margins.right()),
          MmToLayout(paper.height() - margins.top() - margins.bottom())};
}

void PaintPageHeader(QPainter& painter, const QPrinter& printer, const QString& title, int page) {
  const QRectF area = PrintArea(printer);
  QFont font = painter.font();
  font.setPixelSize(11);
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  const double top = MmToLayout(kPageHeaderMm);
  const QRectF line(area.left(), top, area.width(), std::max(1.0, area.top() - top));
  painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, title);
  painter.drawText(line, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Seite %1").arg(page));
  painter.restore();
}

QFont InLayoutPixels(QFont font) {
  if (font.pixelSize() <= 0)
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kLayoutDpi / 72.0))));
  return font;
}

std::unique_ptr<PrintPreview> MakePrintPreviewDialog() {
  return std::make_unique<PrintPreviewDialog>();
}

}  // namespace vemora::ui
