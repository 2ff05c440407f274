// TFExif offscreen on a camera file: the summary page, and the full list with its search and
// copy.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "support/qt_application.h"
#include "support/testdata.h"
#include "ui/exif_dialog.h"

namespace vemora {
namespace {

using testing::FindNamed;

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

}  // namespace
}  // namespace vemora
