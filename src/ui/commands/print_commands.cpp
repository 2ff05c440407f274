#include "ui/commands/print_commands.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>

#include "search/result_details.h"
#include "settings/option_values.h"
#include "ui/grid_report.h"
#include "ui/grid_view.h"
#include "ui/picture.h"

namespace vemora::ui {
namespace {

// A picture that does not decode leaves a frame of the size its header gave, if any.
QSize EmptyFrameSize(const SingleImageState& shown, int focused) {
  constexpr int kUnknownSide = 100;
  if (shown.shownIndex == focused && shown.width > 1 && shown.height > 1)
    return {shown.width, shown.height};
  return {kUnknownSide, kUnknownSide};
}

}  // namespace

PrintCommands::PrintCommands(WindowServices& window, GridView* grid)
    : CommandGroup(window), grid_(grid), preview_(MakePrintPreviewDialog()) {
  singleImage_ = MakeAction(
      "dxBarButton15", QStringLiteral("Einzelbild drucken"),
      QStringLiteral(
          "Das aktuelle Einzelbild wird gedruckt. Beachten Sie auch den Button Einstellungen."),
      QKeySequence(Qt::CTRL | Qt::Key_D));
  singleImage_->setStatusTip(QStringLiteral("Das aktuelle Einzelbild wird gedruckt."));
  const QString allText = QStringLiteral(
      "Die sichtbaren Teile der Tabelle werden gedruckt (Bild, Informationen, Beschriftungen, "
      "Suchbegriffe).");
  allImages_ = MakeAction("dxBarButton14", QStringLiteral("Alles Drucken"), allText,
                          QKeySequence(Qt::CTRL | Qt::Key_T));
  allImages_->setStatusTip(allText);
  smallMenuPrint_ = MakeAction("Drucken1", QStringLiteral("Drucken"));
  menu_ = new QMenu(QStringLiteral("Drucken"), window.widget());
  menu_->setObjectName("printMenu");
  menu_->addActions({singleImage_, allImages_});

  connect(singleImage_, &QAction::triggered, this, &PrintCommands::SingleImageClick);
  connect(smallMenuPrint_, &QAction::triggered, this, &PrintCommands::SingleImageClick);
  connect(allImages_, &QAction::triggered, this, &PrintCommands::AllImagesClick);
}

void PrintCommands::AddTo(WindowChrome& chrome) {
  chrome.AddToToolbar(ToolbarSection::Output, {singleImage_, allImages_});
  chrome.imageMenu()->addMenu(menu_);
  chrome.gridContextMenu()->addMenu(menu_);
  chrome.AddToSmallMenu(SmallMenuItem::Print, smallMenuPrint_);
}

void PrintCommands::UpdateCommands(const CommandStates& states) {
  singleImage_->setEnabled(states.recordCommands);
  smallMenuPrint_->setEnabled(states.recordCommands);
  allImages_->setEnabled(states.wholeCatalogueCommands);
}

void PrintCommands::Preview(QPrinter& printer,
                            const std::function<void(QPrinter& printer)>& paint) {
  if (!preview_->PrinterInstalled()) window_.prompter().ShowMessage(kNoPrinterText);
  preview_->Show(printer, window_.widget(), paint);
}

void PrintCommands::SingleImageClick() {
  window_.PutKeyboardFocusOnGrid();
  window_.Guarded([this] {
    const OptionValues options = ReadOptionValues(window_.settings());
    const GridRecord* record = window_.grid().Focused();
    QImage picture;
    QSize frame;
    if (record != nullptr) {
      // The stored picture at its natural size: the panel may show it decoded smaller.
      const std::optional<std::string> bytes =
          StoredImageBytes(*window_.session().gateway, record->key);
      if (bytes) picture = PictureFromBytes(*bytes);
      frame = picture.isNull() ? EmptyFrameSize(window_.singleImage(), window_.grid().focused)
                               : picture.size();
      PrintedCaptions captions = CaptionsToPrint(record, options);
      for (QFont& font : captions.fonts) font = InLayoutPixels(font);
      captions_ = captions;
      layout_ = LayOutPrintedPage(frame, captions_, layout_);
    } else {
      // The fonts follow the options; texts and places stay those of the last print.
      const PrintedCaptions fonts = CaptionsToPrint(nullptr, options);
      for (size_t side = 0; side < 4; ++side) {
        captions_.fonts[side] = InLayoutPixels(fonts.fonts[side]);
        captions_.colours[side] = fonts.colours[side];
      }
    }
    const QString title = SingleImageJobTitle(record);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrintJob(printer, title);
    Preview(printer, [&](QPrinter& target) {
      PrintSingleImage(target, title, picture, frame, captions_, layout_);
    });
  });
}

void PrintCommands::AllImagesClick() {
  window_.Guarded([this] {
    window_.AwaitPreviews();
    const QString title = QString::fromUtf8(kGridReportTitle);
    const GridReportView view = ReportViewOf(*grid_);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrintJob(printer, title);
    Preview(printer,
            [&](QPrinter& target) { PrintGridReport(target, title, window_.grid(), view); });
  });
}

}  // namespace vemora::ui
