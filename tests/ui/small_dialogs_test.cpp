// The small dialogs offscreen. TFDetail: the record's texts in their fields, the file and size
// lines, and what "OK" and "Abbrechen" hand back. TFExif on a camera file: the summary page,
// and the full list with its search and copy. TFWaitLoad: every step counts, but the bar takes
// the steps only when the window repaints, so a long run does not pay a repaint per row.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include "support/qt_application.h"
#include "support/testdata.h"
#include "ui/detail_dialog.h"
#include "ui/exif_dialog.h"
#include "ui/wait_window.h"

namespace vemora {
namespace {

using testing::FindNamed;

class DetailDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  static GridRecord Record() {
    GridRecord record;
    record.name = "Hafen";
    record.beschreibung = "Abends\nam Kai";
    record.textTop = "oben-Text";
    record.textLeft = "links-Text";
    record.filePath = "/bilder/2024/hafen am abend.jpg";
    record.suchbegriffe = "Meer, Boot";
    record.sizeText = "120 KByte";
    return record;
  }
};

TEST_F(DetailDialogTest, ShowsTheRecordHandsBackTheEditedTextsAndNeedsAFocus) {
  ui::TFDetail dialog(nullptr, Record(), 640, 480);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Detailansicht");
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(FindNamed<QLineEdit>(&dialog, "nameEdit")->text(), "Hafen");
  EXPECT_EQ(FindNamed<QPlainTextEdit>(&dialog, "beschreibungMemo")->toPlainText(),
            "Abends\nam Kai");
  EXPECT_EQ(FindNamed<QLineEdit>(&dialog, "obenEdit")->text(), "oben-Text");
  EXPECT_EQ(FindNamed<QLineEdit>(&dialog, "untenEdit")->text(), "");
  EXPECT_EQ(FindNamed<QLineEdit>(&dialog, "linksEdit")->text(), "links-Text");
  EXPECT_EQ(FindNamed<QPlainTextEdit>(&dialog, "suchbegriffeMemo")->toPlainText(), "Meer, Boot");
  auto* file = FindNamed<QLabel>(&dialog, "fileLabel");
  EXPECT_EQ(file->text(), "hafen am abend.jpg");
  EXPECT_EQ(file->toolTip(), "Originaldateiname: hafen am abend.jpg");
  EXPECT_EQ(FindNamed<QLabel>(&dialog, "sizeLabel")->text(), "640 x 480 Pixel (120 KByte)");

  FindNamed<QLineEdit>(&dialog, "rechtsEdit")->setText("rechts-Text");
  FindNamed<QPlainTextEdit>(&dialog, "beschreibungMemo")->clear();
  EXPECT_FALSE(dialog.Accepted());
  FindNamed<QPushButton>(&dialog, "okButton")->click();
  EXPECT_TRUE(dialog.Accepted());
  RecordTexts expected = TextsOfRecord(Record());
  expected.textRight = "rechts-Text";
  expected.beschreibung.clear();
  EXPECT_EQ(dialog.Texts(), expected);

  // Without size text and file: the pixels alone; "Abbrechen" hands nothing back.
  GridRecord bare = Record();
  bare.sizeText.clear();
  bare.filePath.reset();
  ui::TFDetail cancelled(nullptr, bare, 1, 1);
  EXPECT_EQ(FindNamed<QLabel>(&cancelled, "sizeLabel")->text(), "1 x 1 Pixel");
  EXPECT_EQ(FindNamed<QLabel>(&cancelled, "fileLabel")->text(), "");
  FindNamed<QLineEdit>(&cancelled, "nameEdit")->setText("verworfen");
  FindNamed<QPushButton>(&cancelled, "cancelButton")->click();
  EXPECT_FALSE(cancelled.Accepted());
  EXPECT_EQ(cancelled.Texts(), RecordTexts{});

  // The command without a focused record: no dialog, and no gateway is reached.
  CatalogueSession session;
  CatalogueGrid grid;
  grid.Append(Record());
  EXPECT_FALSE(ui::RunDetailCommand(nullptr, session, grid, 10, 10));
}

TEST(ExifDialogTest, SummaryAndSearchableCopyableTagListOrNothingWithoutAFile) {
  VEMORA_REQUIRE_TESTDATA();
  testing::EnsureApplication();
  const auto path = testing::TestDataDir() / "images" / "exif" / "canon" / "Canon_350D_MG_9382.JPG";
  ui::TFExif dialog(nullptr, path.string());
  EXPECT_EQ(dialog.windowTitle().toStdString(), "EXIF Informationen");
  auto* memo = FindNamed<QPlainTextEdit>(&dialog, "summaryMemo");
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_TRUE(memo->toPlainText().startsWith("Dateiname : Canon_350D_MG_9382.JPG\n"));
  EXPECT_EQ(memo->textCursor().position(), 0);

  auto* table = FindNamed<QTableView>(&dialog, "tagTable");
  const int all = table->model()->rowCount();
  EXPECT_GT(all, 40);
  EXPECT_TRUE(dialog.ListedRowsText().contains("EXIF\tModel\tCanon EOS DIGITAL REBEL XT"));

  // The search matches any column, without regard to case; "Kopieren" takes the rows listed.
  FindNamed<QLineEdit>(&dialog, "searchField")->setText("rebel xt");
  const int found = table->model()->rowCount();
  EXPECT_GE(found, 1);
  EXPECT_LT(found, all);
  const QString listed = dialog.ListedRowsText();
  for (const QString& row : listed.split('\n')) {
    EXPECT_TRUE(row.contains("REBEL XT", Qt::CaseInsensitive)) << row.toStdString();
  }
  EXPECT_TRUE(listed.contains("EXIF\tModel\tCanon EOS DIGITAL REBEL XT"));
  EXPECT_EQ(FindNamed<QLabel>(&dialog, "countLabel")->text().toStdString(),
            QString("%1 von %2 Einträgen").arg(found).arg(all).toStdString());
  FindNamed<QPushButton>(&dialog, "copyButton")->click();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), listed.toStdString());
  FindNamed<QLineEdit>(&dialog, "searchField")->clear();
  EXPECT_EQ(table->model()->rowCount(), all);

  ui::TFExif none(nullptr, "/no/such/picture.jpg");
  EXPECT_TRUE(FindNamed<QPlainTextEdit>(&none, "summaryMemo")->toPlainText().isEmpty());
  EXPECT_EQ(FindNamed<QTableView>(&none, "tagTable")->model()->rowCount(), 0);
}

TEST(WaitWindowTest, BarTakesTheCountedStepsWhenItRepaints) {
  testing::EnsureApplication();
  ui::TFWaitLoad wait(nullptr);
  EXPECT_EQ(wait.windowTitle().toStdString(), "Bitte warten Sie kurz");
  EXPECT_EQ(wait.label()->text().toStdString(),
            "Bitte warten Sie kurz, die Bilder werden geladen...");
  QProgressBar* bar = wait.progressBar();
  bar->setMaximum(100);
  wait.SetPosition(0);
  wait.show();

  // An interval no test run reaches: the first step repaints, the next ones only count.
  wait.SetEventInterval(24 * 60 * 60 * 1000);
  wait.Step();
  EXPECT_EQ(bar->value(), 1);
  for (int i = 0; i < 5; ++i) wait.Step();
  EXPECT_EQ(bar->value(), 1);

  // With every step repainting, the counted ones show with the next step.
  wait.SetEventInterval(0);
  wait.Step();
  EXPECT_EQ(bar->value(), 7);
  wait.Step();
  EXPECT_EQ(bar->value(), 8);

  // A new position drops the steps not shown yet.
  wait.SetEventInterval(24 * 60 * 60 * 1000);
  wait.Step();
  wait.SetPosition(50);
  wait.SetEventInterval(0);
  wait.Step();
  EXPECT_EQ(bar->value(), 51);
}

}  // namespace
}  // namespace vemora
