// TFDetail offscreen: the record's texts in their fields, the file and size lines, and
// what "OK" and "Abbrechen" hand back.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/qt_application.h"
#include "ui/detail_dialog.h"

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

}  // namespace
}  // namespace vemora
