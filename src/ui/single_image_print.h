// The page of "Einzelbild drucken" drawn with a QPainter: the focused record's picture at its
// natural size with the four captions around it, placed by LayOutSingleImagePage.
//
// Captions are measured in their fonts as labels that fit their text: an empty caption is
// as wide as nothing and as high as one line, so each side keeps its gap. Units are pixels
// of the painter's device; a print command scales the painter to the page.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <array>

#include "catalogue/grid_record.h"
#include "fileops/print_layout.h"
#include "settings/option_values.h"

class QPainter;
class QPrinter;

namespace vemora::ui {

// Sides in the order of CaptionSide: left, right, top, bottom.
struct PrintedCaptions {
  std::array<QString, 4> texts;
  std::array<QFont, 4> fonts;
  std::array<QColor, 4> colours;
  std::array<int32_t, 4> alignments{};
};

// The record's caption texts (none without a record; empty for a side not printed), with
// the fonts and alignments of the options.
PrintedCaptions CaptionsToPrint(const GridRecord* record, const OptionValues& options);

// The print job title: the record's name, or "Galeriekasten Bild" without a record.
QString SingleImageJobTitle(const GridRecord* record);

SingleImagePageLayout LayOutPrintedPage(const QSize& image, const PrintedCaptions& captions,
                                        const SingleImagePageLayout& previous = {});

// Draws picture and captions; the panel's origin is the painter's.
void PaintSingleImagePage(QPainter& painter, const QImage& image, const PrintedCaptions& captions,
                          const SingleImagePageLayout& layout);

// The single-image job's one page: its header, and the panel at the print area's corner,
// shrunk to the page's width when the layout says so and to its height when taller. A
// picture that did not decode leaves an empty frame of `frame` pixels in its place.
void PrintSingleImage(QPrinter& printer, const QString& title, const QImage& image, QSize frame,
                      const PrintedCaptions& captions, const SingleImagePageLayout& layout);

}  // namespace vemora::ui
