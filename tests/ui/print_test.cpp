// Both print commands into PDF files, read back with poppler's tools. "Einzelbild drucken":
// the stored picture at its natural size at the margin plus its layout offsets, the captions
// the options switch on, a wide picture shrunk to the page, and a picture that does not decode
// printed as an empty frame with its captions. "Alles Drucken": A4 pages, every record once
// over as many pages as it takes, only the bands the grid shows, and the notice without a
// printer.
#include <QAction>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "codec/preview.h"
#include "pdf_print.h"
#include "settings/ini_plus.h"
#include "settings/option_values.h"
#include "ui/grid_report.h"
#include "ui/grid_view.h"
#include "ui/single_image_print.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::FlatJpeg;
using testing::Occurrences;

constexpr int kMargin = 48;  // 12.7 mm at 96 dpi

class PrintSingleTest : public testing::WindowTest {
 protected:
  void InsertImage(const std::string& name, const std::string& image) {
    Insert(name, image, codec::MakePreviewJpeg(FlatJpeg(160, 120, 40)), 7);
  }
  std::filesystem::path Print(const char* action = "dxBarButton15") {
    const std::filesystem::path pdf = root / (std::string(action) + ".pdf");
    shown = testing::PrintIntoPdf(*form, pdf, true);
    Action(action)->trigger();
    return pdf;
  }
  // Where the layout puts the picture, on the page rendered at 96 dpi.
  QPoint PictureCorner(QSize picture, const OptionValues& options = DefaultOptionValues()) const {
    ui::PrintedCaptions captions = ui::CaptionsToPrint(form->grid().Focused(), options);
    for (QFont& font : captions.fonts) font = ui::InLayoutPixels(font);
    const SingleImagePageLayout layout = ui::LayOutPrintedPage(picture, captions);
    return {kMargin + layout.image.left, kMargin + layout.image.top};
  }
  // Columns of row y darker than mid-grey: first and last.
  static std::pair<int, int> DarkRun(const QImage& page, int y) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) >= 128) continue;
      if (first < 0) first = x;
      last = x;
    }
    return {first, last};
  }
  static bool Dark(const QImage& page, QPoint at) { return qGray(page.pixel(at)) < 100; }
  static bool White(const QImage& page, QPoint at) { return qGray(page.pixel(at)) > 230; }

  std::shared_ptr<int> shown;
};

TEST_F(PrintSingleTest, PictureSitsAtTheMarginPlusItsOffsets) {
  InsertImage("Hafen", FlatJpeg(200, 120, 40));
  Open().FocusRecord(0);
  const std::filesystem::path pdf = Print();
  EXPECT_TRUE(messages.empty()) << "a printer is installed";
  const std::string info = testing::PdfInfo(pdf);
  EXPECT_TRUE(testing::PdfField(info, "Page size").ends_with("(A4)")) << info;
  EXPECT_EQ(testing::PdfField(info, "Title"), "Hafen");
  EXPECT_EQ(testing::PdfField(info, "Pages"), "1");

  const QImage page = testing::PdfPage(pdf, 1);
  ASSERT_FALSE(page.isNull());
  const QPoint corner = PictureCorner({200, 120});
  EXPECT_TRUE(Dark(page, corner + QPoint(2, 2)));
  EXPECT_TRUE(Dark(page, corner + QPoint(197, 117)));
  EXPECT_TRUE(White(page, corner + QPoint(-3, 60))) << "the gap before the left caption";
  EXPECT_TRUE(White(page, corner + QPoint(203, 60))) << "the gap before the right caption";
  EXPECT_TRUE(White(page, corner + QPoint(100, 123))) << "the gap above the bottom caption";
  // Above the side captions the row holds the picture alone, at its natural width.
  const auto [first, last] = DarkRun(page, corner.y() + 5);
  EXPECT_NEAR(first, corner.x(), 1);
  EXPECT_NEAR(last - first, 199, 2);

  // The small context menu's "Drucken" runs the same command; the menu's commands keep
  // their order whatever order the command groups are built in.
  Print("Drucken1");
  EXPECT_EQ(*shown, 1);
  QStringList small;
  for (QAction* action : form->findChild<QMenu*>("smallContextMenu")->actions())
    if (action->isVisible() && !action->isSeparator()) small << action->text();
  EXPECT_EQ(small.mid(0, 3), (QStringList{"Auswählen", "Drucken", "Löschen"}));
}

TEST_F(PrintSingleTest, OnlyTheCaptionsSwitchedOnArePrinted) {
  InsertImage("Hafen", FlatJpeg(200, 120, 40));
  struct Row {
    std::vector<int> off;  // sides whose caption is not printed
    std::string printed;
  };
  const Row rows[] = {
      {{}, "oben unten links rechts"},
      {{kSideTop}, "unten links rechts"},
      {{kSideLeft, kSideRight, kSideTop, kSideBottom}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.printed);
    OptionValues options = DefaultOptionValues();
    for (int side : row.off) options.captions[side].printed = false;
    TIniPlus settings(SettingsFolder() + "settings.ini");
    WriteOptionValues(settings, options);
    Open().FocusRecord(0);
    const std::filesystem::path pdf = Print();
    const std::string text = testing::PdfText(pdf);
    for (const char* caption : {"oben", "unten", "links", "rechts"})
      EXPECT_EQ(Occurrences(text, caption), Occurrences(row.printed, caption)) << caption;
    // The picture moves to where the layout without those captions puts it.
    const QImage page = testing::PdfPage(pdf, 1);
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(Dark(page, PictureCorner({200, 120}, options) + QPoint(2, 2)));
    form.reset();
  }
  EXPECT_EQ(ui::SingleImageJobTitle(nullptr).toStdString(), "Galeriekasten Bild");
}

TEST_F(PrintSingleTest, AWidePictureIsShrunkToThePageWidth) {
  InsertImage("Panorama", FlatJpeg(1200, 100, 40));
  Open().FocusRecord(0);
  const QImage page = testing::PdfPage(Print(), 1);
  ASSERT_FALSE(page.isNull());
  const auto [first, last] = DarkRun(page, kMargin + 25);
  EXPECT_GE(first, kMargin);
  EXPECT_LE(last, page.width() - kMargin);
  EXPECT_GT(last - first, 500);
}

TEST_F(PrintSingleTest, APictureThatDoesNotDecodePrintsAnEmptyFrameWithItsCaptions) {
  InsertImage("Müll", std::string("\xFF\xD8\xFF\xE0") + std::string(500, 'x'));
  Open().FocusRecord(0);
  const std::filesystem::path pdf = Print();
  EXPECT_EQ(testing::PdfField(testing::PdfInfo(pdf), "Title"), "Müll");
  EXPECT_EQ(Occurrences(testing::PdfText(pdf), "oben"), 1);
  const QImage page = testing::PdfPage(pdf, 1);
  ASSERT_FALSE(page.isNull());
  const QPoint corner = PictureCorner({100, 100});
  EXPECT_TRUE(White(page, corner + QPoint(50, 50))) << "nothing inside the frame";
  const auto [first, last] = DarkRun(page, corner.y() + 5);
  EXPECT_NEAR(first, corner.x(), 1) << "the frame's left edge";
  EXPECT_NEAR(last, corner.x() + 100, 1) << "the frame's right edge";
}

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
