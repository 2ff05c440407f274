// "Alles Drucken" into a PDF: A4 pages, every record once over as many pages as it takes
// (the first one's preview is no picture), only the bands the grid shows, and the notice
// without a printer.
#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "codec/preview.h"
#include "pdf_print.h"
#include "ui/grid_report.h"
#include "ui/grid_view.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::FlatJpeg;
using testing::Occurrences;

class PrintReportTest : public testing::WindowTest {
 protected:
  std::string Name(int row) const {
    char name[16];
    std::snprintf(name, sizeof name, "Bild %03d", row);
    return name;
  }
  // `rows` records with previews; the first one's preview bytes are no picture.
  void InsertRows(int rows) {
    const std::string picture = FlatJpeg(160, 120, 90);
    const std::string preview = codec::MakePreviewJpeg(picture);
    for (int row = 0; row < rows; ++row)
      Insert(Name(row), picture, row == 0 ? std::string("kein Bild") : preview, 100 + row);
    // Descriptions without the name, so a name counts once per record.
    gateway->ExecSQL("UPDATE Bilder SET Beschreibung = 'Morgenrot'", 0);
  }
};

// Only the bands the grid shows are printed: here without "BESCHRIFTUNG".
TEST_F(PrintReportTest, EveryRecordPrintsOnceOnA4Pages) {
  constexpr int kRows = 40;
  InsertRows(kRows);
  Open();
  Find<ui::GridView>("cxGrid1")->SetBandVisible(ui::kBandCaptions, false);
  const std::filesystem::path pdf = root / "alle.pdf";
  const std::shared_ptr<int> shown = testing::PrintIntoPdf(*form, pdf, false);
  Action("dxBarButton14")->trigger();
  EXPECT_EQ(*shown, 1);
  EXPECT_EQ(messages, std::vector<std::string>{ui::kNoPrinterText});

  const std::string info = testing::PdfInfo(pdf);
  EXPECT_TRUE(testing::PdfField(info, "Page size").ends_with("(A4)")) << info;
  EXPECT_EQ(testing::PdfField(info, "Title"), ui::kGridReportTitle);
  // A row is at least a preview high: 40 of them take several pages.
  EXPECT_GE(std::atoi(testing::PdfField(info, "Pages").c_str()), 4) << info;

  const std::string text = testing::PdfText(pdf);
  for (int row = 0; row < kRows; ++row) EXPECT_EQ(Occurrences(text, Name(row)), 1) << Name(row);
  EXPECT_EQ(Occurrences(text, "Morgenrot"), kRows);
  EXPECT_EQ(Occurrences(text, "Urlaub"), kRows);
  EXPECT_GT(Occurrences(text, "INFORMATIONEN"), 1) << "the header rows on every page";
  EXPECT_EQ(Occurrences(text, "BESCHRIFTUNG"), 0);
  EXPECT_EQ(Occurrences(text, "links"), 0);
  EXPECT_EQ(Occurrences(text, "DETAILS"), 0) << "hidden from the start";
}

TEST_F(PrintReportTest, TheWindowsPreviewShowsTheReportsPages) {
  // Enough rows for a second page even at the height of text-only rows.
  InsertRows(60);
  Open();
  // The real preview: once its pages are laid out, it is closed as the user would.
  int pages = 0;
  QString title;
  QTimer closer;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (preview == nullptr) return;
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    if (widget == nullptr || widget->pageCount() == 0) return;
    pages = widget->pageCount();
    title = preview->windowTitle();
    preview->reject();
  });
  closer.start();
  Action("dxBarButton14")->trigger();
  EXPECT_GE(pages, 2);
  EXPECT_EQ(title.toStdString(), ui::kGridReportTitle);
}

}  // namespace
}  // namespace vemora
