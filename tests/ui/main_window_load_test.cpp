// Loading the catalogue into the window: the grid's shape, rows of every kind, marks handed
// back last time, previews built on the way, bad catalogues, "Aktualisieren" and the
// diagnostics panel.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>

#include "ui/banded_header.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::ColumnValues;
using testing::FlatJpeg;

using LoadTest = testing::WindowTest;

TEST_F(LoadTest, RowsOfEveryKindGetARecordAndOnlyRealPicturesShow) {
  const std::string jpeg = FlatJpeg(300, 200);
  Insert("mit Vorschau", jpeg, codec::MakePreviewJpeg(jpeg), 11);
  Insert("ohne Vorschau", jpeg, "", 12);
  Insert("kein Bild", "", "", 13);
  Insert("png", "\x89PNG\r\n\x1a\n", "\x89PNG\r\n\x1a\n", 14);
  Insert("kaputt", jpeg.substr(0, 60), "", 15);
  std::ofstream(root / "images" / "mit Vorschau.jpg") << std::string(3000, 'x');
  // The hand-back file of the last call: junk and unknown keys are ignored.
  std::ofstream(root / "settings" / "bdselect.txt") << "12\r\nMüll\r\n15\r\n12\r\n99999\r\n";

  Open(true);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(CountText(), "Anzahl Bilder: 5");
  ASSERT_EQ(Grid()->model()->rowCount(), 5);

  // Previews: the stored one, and one built on the way and written back; none for the rest.
  for (int row : {0, 1})
    EXPECT_FALSE(Cell(row, kItemPreview, Qt::DecorationRole).value<QImage>().isNull());
  EXPECT_TRUE(ColumnValues(*gateway, "VsBild")[1].starts_with("\xFF\xD8"));
  for (int row : {2, 3, 4}) EXPECT_FALSE(Cell(row, kItemPreview, Qt::DecorationRole).isValid());

  // Texts by item; an "unassigned" path stays empty.
  EXPECT_EQ(Cell(0, kItemName).toString().toStdString(), "mit Vorschau");
  EXPECT_EQ(Cell(0, kItemPath).toString().toStdString(), imageFolder + "/mit Vorschau.jpg");
  EXPECT_EQ(Cell(2, kItemPath).toString(), QString());

  std::vector<bool> marks;
  for (int row = 0; row < 5; ++row)
    marks.push_back(Cell(row, kItemMark, Qt::CheckStateRole).toInt() == Qt::Checked);
  EXPECT_EQ(marks, (std::vector<bool>{false, true, false, false, true}));

  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(WaitWindowVisible());
}

TEST_F(LoadTest, EmptyCatalogueShowsTheGridsShapeAndDisablesRecordCommands) {
  Open();
  EXPECT_EQ(CountText(), "Anzahl Bilder: 0");
  EXPECT_FALSE(Action("refreshAction")->isEnabled());
  EXPECT_FALSE(Find<QMenu>("marksMenu")->menuAction()->isEnabled());
  EXPECT_EQ(Strip()->model()->rowCount(), 0);

  auto* grid = Find<ui::GridView>("cxGrid1");
  for (int hidden : {kItemFile, kItemKey, kItemUnused}) EXPECT_TRUE(grid->isColumnHidden(hidden));
  EXPECT_FALSE(grid->isSortingEnabled());  // commands pair records with query rows by position
  std::vector<std::string> captions;
  for (const auto& band : grid->bandedHeader()->bands())
    captions.push_back(band.caption.toStdString());
  EXPECT_EQ(captions, (std::vector<std::string>{"BILD", "INFORMATIONEN", "BESCHRIFTUNG",
                                                "SUCHBEGRIFFE", "DETAILS", ""}));
}

TEST_F(LoadTest, CatalogueWithoutFileColumnReportsTheDatabaseErrorAndStaysOpen) {
  Insert("a", "\xFF\xD8\xFF", "\xFF\xD8", 1);
  gateway->ExecSQL("ALTER TABLE Bilder RENAME COLUMN File TO Datei", 4);
  ui::TForm1& window = Open();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("FILE"), std::string::npos) << messages[0];
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(WaitWindowVisible());
}

TEST_F(LoadTest, MissingPreviewColumnIsAddedAndFilledAndDiagnosticsReportIt) {
  const std::string jpeg = FlatJpeg(200, 100);
  Insert("a", jpeg, "", 1);
  Insert("b", jpeg, "", 2);
  gateway->ExecSQL("ALTER TABLE Bilder DROP COLUMN VsBild", 4);
  ui::TForm1& window = Open();
  EXPECT_TRUE(messages.empty());

  window.findChild<QAction*>("diagnosticsAction")->trigger();
  Find<QPushButton>("testDbButton")->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Feld VsBild in Tabelle Bilder vorhanden.\r\nAlle VsBilder vorhanden");
}

TEST_F(LoadTest, RefreshReloadsAndKeepsTheFocusedIndex) {
  for (int key = 1; key <= 3; ++key) Insert("bild" + std::to_string(key), "", "", key);
  ui::TForm1& window = Open();
  Insert("neu", "", "", 4);
  window.FocusRecord(1);
  Action("refreshAction")->trigger();
  EXPECT_EQ(window.grid().Count(), 4);
  EXPECT_EQ(CountText(), "Anzahl Bilder: 4");
  EXPECT_EQ(window.grid().focused, 1);
  EXPECT_EQ(Grid()->currentIndex().row(), 1);
}

// Every command of the toolbars is in reach at 1280 x 800 without the overflow arrow.
TEST_F(LoadTest, EveryToolbarCommandIsInReachAt1280By800) {
  ui::TForm1& window = Open();
  window.resize(1280, 800);
  for (const char* name : {"mainToolbar", "viewToolbar"}) {
    auto* bar = Find<QToolBar>(name);
    WaitFor([&] { return bar->width() > 0 && bar->isVisible(); });
    for (QAction* action : bar->actions()) {
      if (!action->isVisible() || action->isSeparator()) continue;
      QWidget* button = bar->widgetForAction(action);
      EXPECT_TRUE(button != nullptr && button->isVisible()) << action->objectName().toStdString();
    }
    auto* more = bar->findChild<QWidget*>("qt_toolbar_ext_button");
    EXPECT_TRUE(more == nullptr || !more->isVisible()) << name;
  }
}

}  // namespace
}  // namespace vemora
