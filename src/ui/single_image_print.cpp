#include "ui/single_image_print.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "fileops/report_pages.h"
#include "ui/color_box.h"
#include "ui/print_job.h"
#include "ui/qt_font.h"

namespace vemora::ui {
namespace {

PageSize MeasureCaption(const QString& text, const QFont& font) {
  const QFontMetrics metrics(font);
  const QStringList lines = text.split(QLatin1Char('\n'));
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  return {width, static_cast<int32_t>(lines.size()) * metrics.height()};
}

}  // namespace

PrintedCaptions CaptionsToPrint(const GridRecord* record, const OptionValues& options) {
  PrintedCaptions captions;
  for (int side = 0; side < 4; ++side) {
    const CaptionOptions& caption = options.captions[static_cast<size_t>(side)];
    captions.fonts[side] = ToQFont(caption.font);
    captions.colours[side] = ToQColor(caption.font.color);
    captions.alignments[side] = caption.alignment;
    if (record == nullptr || !caption.printed) continue;
    const std::string& text = side == kSideLeft    ? record->textLeft
                              : side == kSideRight ? record->textRight
                              : side == kSideTop   ? record->textTop
                                                   : record->textBottom;
    captions.texts[side] = QString::fromStdString(text).remove(QLatin1Char('\r'));
  }
  return captions;
}

QString SingleImageJobTitle(const GridRecord* record) {
  return record == nullptr ? QStringLiteral("Galeriekasten Bild")
                           : QString::fromStdString(record->name);
}

SingleImagePageLayout LayOutPrintedPage(const QSize& image, const PrintedCaptions& captions,
                                        const SingleImagePageLayout& previous) {
  SingleImagePageInput input;
  input.image = {image.width(), image.height()};
  for (size_t side = 0; side < 4; ++side) {
    input.captions[side] = MeasureCaption(captions.texts[side], captions.fonts[side]);
  }
  input.alignments = captions.alignments;
  return LayOutSingleImagePage(input, previous);
}

void PaintSingleImagePage(QPainter& painter, const QImage& image, const PrintedCaptions& captions,
                          const SingleImagePageLayout& layout) {
  if (!image.isNull()) painter.drawImage(QPoint(layout.image.left, layout.image.top), image);
  for (size_t side = 0; side < 4; ++side) {
    if (captions.texts[side].isEmpty()) continue;
    const PageSize size = MeasureCaption(captions.texts[side], captions.fonts[side]);
    painter.setFont(captions.fonts[side]);
    painter.setPen(captions.colours[side]);
    painter.drawText(
        QRect(layout.captions[side].left, layout.captions[side].top, size.width, size.height),
        Qt::AlignLeft | Qt::AlignTop, captions.texts[side]);
  }
}

void PrintSingleImage(QPrinter& printer, const QString& title, const QImage& image, QSize frame,
                      const PrintedCaptions& captions, const SingleImagePageLayout& layout) {
  QPainter painter(&printer);
  BeginLayoutPixels(painter, printer);
  PaintPageHeader(painter, printer, title, 1);
  const QRectF area = PrintArea(printer);
  double scale =
      layout.shrinkToPageWidth ? ShrinkToPageWidth(layout.panel.width, area.width()) : 1.0;
  if (layout.panel.height * scale > area.height()) scale = area.height() / layout.panel.height;
  painter.translate(area.topLeft());
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  PaintSingleImagePage(painter, image, captions, layout);
  if (image.isNull() && !frame.isEmpty()) {
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(layout.image.left, layout.image.top, frame.width(), frame.height()));
  }
}

}  // namespace vemora::ui
