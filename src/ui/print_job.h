// What both print commands share: the job's page (A4, 12.7 mm margins, the page header
// 6.35 mm from the paper's top edge), the units the pages are drawn in, and the seam through
// which a command shows its pages (the preview dialog in the window, a PDF file in tests).
//
// Pages are drawn in layout pixels, a screen pixel each (1/96 inch), whatever the
// printer's resolution: a picture prints at the size it has on the screen.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace vemora::ui {

inline constexpr double kLayoutDpi = 96.0;
inline constexpr double kPageMarginMm = 12.7;
inline constexpr double kPageHeaderMm = 6.35;

// A4 portrait, the margins, the job title; the painter's origin is the paper's corner.
void SetUpPrintJob(QPrinter& printer, const QString& title);

// Starts painting on `printer` in layout pixels with the origin at the paper's corner.
void BeginLayoutPixels(QPainter& painter, QPrinter& printer);

// The area inside the margins, in layout pixels.
QRectF PrintArea(const QPrinter& printer);

// The job title at the page header's place (inside the top margin) and the page number.
void PaintPageHeader(QPainter& painter, const QPrinter& printer, const QString& title, int page);

// The font at its size in layout pixels, so it measures and prints alike on any device.
QFont InLayoutPixels(QFont font);

// How a print command shows its pages. The window's opens the print preview modally (page
// set-up and printer choice are the preview's); `paint` draws all pages onto the printer it
// is given, whenever the preview asks.
class PrintPreview {
 public:
  virtual ~PrintPreview() = default;
  // False when the system knows no printer (the preview can still print into a file).
  virtual bool PrinterInstalled() = 0;
  virtual void Show(QPrinter& printer, QWidget* parent,
                    const std::function<void(QPrinter& printer)>& paint) = 0;
};

std::unique_ptr<PrintPreview> MakePrintPreviewDialog();

// Shown before the preview when no printer is installed.
inline constexpr const char* kNoPrinterText =
    "Es ist kein Drucker eingerichtet. In der Druckvorschau können Sie die Seiten in eine "
    "PDF-Datei drucken.";

}  // namespace vemora::ui
