// Loading the catalogue into the window and browsing in it: the grid's shape, rows of every
// kind, marks handed back last time, previews built on the way, bad catalogues,
// "Aktualisieren" and the diagnostics panel; the focused record's panels, marks, the focused
// column's rules and the thumbnail strip.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "gateways/gateway_engines.h"
#include "settings/ini_plus.h"
#include "support/testdata.h"
#include "ui/banded_header.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/information_panel.h"
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

#if VEMORA_HAVE_POSTGRES
TEST_F(LoadTest, ASharedCataloguesPreviewsFollowItsRowsIntoGridAndStrip) {
  std::string why;
  const std::unique_ptr<testing::ScratchCatalogue> shared =
      testing::CreateScratchCatalogue("PostgreSQL", why);
  if (!shared) {
    if (testing::PostgresRequired()) GTEST_FAIL() << why;
    GTEST_SKIP() << why;
  }
  shared->CreateCatalogueTables();
  const std::unique_ptr<TDBGateway> server = shared->Connect();
  for (int32_t key = 1; key <= 3; ++key)
    testing::InsertCatalogueRow(*server, "bild" + std::to_string(key), "", FlatJpeg(60, 40), key);
  windowGateway = server.get();
  ui::TForm1& window = Open();

  ASSERT_EQ(Names(), (std::vector<std::string>{"bild1", "bild2", "bild3"}));
  WaitFor([&] { return !window.grid().PreviewsPending(); });
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(window.grid().Record(row).preview, FlatJpeg(60, 40)) << row;
    EXPECT_FALSE(Cell(row, kItemPreview, Qt::DecorationRole).value<QImage>().isNull()) << row;
    EXPECT_FALSE(Strip()->model()->index(row, 0).data(Qt::DecorationRole).isNull()) << row;
  }
  EXPECT_TRUE(messages.empty());
  form.reset();  // before the catalogue it shows goes
}
#endif

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

class BrowseTest : public testing::WindowTest {
 protected:
  void InsertThree() {
    const std::string picture = FlatJpeg(320, 240, 60);
    Insert("erstes", picture, codec::MakePreviewJpeg(picture), 21);
    Insert("ohne", "", "", 22);
    Insert("drittes", picture, codec::MakePreviewJpeg(picture), 23);
  }
  QPushButton* ExifButton() const { return Find<QPushButton>("cxButton4"); }
  ui::InformationPanel* Information() const {
    return Find<ui::InformationPanel>("imageInformationPanel");
  }
};

TEST_F(BrowseTest, FocusFillsTheSingleImageAndInformationPanels) {
  InsertThree();
  const std::string good = FlatJpeg(320, 240, 60);
  Insert("kaputt", good.substr(0, 20), codec::MakePreviewJpeg(good), 24);
  ui::TForm1& window = Open();
  EXPECT_FALSE(Action("refreshAction")->isEnabled());

  window.FocusRecord(0);
  EXPECT_FALSE(SingleImage()->missingImageShown());
  EXPECT_EQ(SingleImage()->picture().size(), QSize(320, 240));
  EXPECT_EQ(Information()->fileText().toStdString(), imageFolder + "/erstes.jpg");
  EXPECT_TRUE(Action("refreshAction")->isEnabled());
  EXPECT_TRUE(Action("deleteAction")->isEnabled());

  // No image: the missing-image panel with its texts.
  window.FocusRecord(1);
  EXPECT_TRUE(SingleImage()->missingImageShown());
  EXPECT_TRUE(SingleImage()->picture().isNull());
  EXPECT_EQ(Information()->fileText().toStdString(), "kein Bild gefunden");
  window.FocusRecord(-1);
  EXPECT_FALSE(Action("refreshAction")->isEnabled());

  // Damaged stored bytes behind a good preview: the single image says the image cannot be
  // read, and neither the previous record's picture nor its size stays.
  window.FocusRecord(0);
  window.FocusRecord(3);
  EXPECT_TRUE(SingleImage()->picture().isNull());
  EXPECT_TRUE(Find<QLabel>("cxImage3")->text().startsWith("Das Bild konnte nicht gelesen werden"));
  EXPECT_EQ(Information()->sizeText().toStdString().find("320 x 240"), std::string::npos);
  EXPECT_TRUE(messages.empty());
}

TEST_F(BrowseTest, ExifButtonShowsForFilesWithMetadataOnly) {
  VEMORA_REQUIRE_TESTDATA();
  imageFolder = (::vemora::testing::TestDataDir() / "images" / "exif" / "canon").string();
  const std::string jpeg = FlatJpeg(40, 30);
  testing::InsertCatalogueRow(*gateway, "Canon_40D", jpeg, codec::MakePreviewJpeg(jpeg), 1);
  testing::InsertCatalogueRow(*gateway, "fehlt", jpeg, codec::MakePreviewJpeg(jpeg), 2);
  testing::InsertCatalogueRow(*gateway, "Canon_40D", "", "", 3);
  ui::TForm1& window = Open();
  window.FocusRecord(0);
  EXPECT_FALSE(ExifButton()->isHidden());
  EXPECT_EQ(ExifButton()->text().toStdString(), "EXIF Informationen");
  window.FocusRecord(1);
  EXPECT_TRUE(ExifButton()->isHidden());
  // A record without preview shows the missing-image panel, and no button of another record.
  window.FocusRecord(0);
  window.FocusRecord(2);
  EXPECT_TRUE(ExifButton()->isHidden());
}

TEST_F(BrowseTest, MarksCommitAtOnceAndFeedTheSelectionList) {
  InsertThree();
  ui::TForm1& window = Open(true);
  QAbstractItemModel* model = Grid()->model();
  const QRect box = Grid()->visualRect(model->index(2, kItemMark));
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, box.center());
  EXPECT_TRUE(window.grid().Record(2).marked);
  EXPECT_EQ(MarkedList(), (std::vector<std::string>{"drittes"}));

  window.FocusRecord(0);
  Action("invertMarksAction")->trigger();
  EXPECT_EQ(MarkedList(), (std::vector<std::string>{"erstes", "ohne"}));
  Action("markAllAction")->trigger();
  EXPECT_EQ(window.grid().Marks(), (std::vector<bool>{true, true, true}));
  Action("markNoneAction")->trigger();
  EXPECT_TRUE(MarkedList().empty());
}

// Delete and Insert belong to the text editor in a text column: there they must not delete
// or add an image.
TEST_F(BrowseTest, FocusedColumnTakesTheEditKeys) {
  InsertThree();
  Open();
  QAbstractItemModel* model = Grid()->model();
  Grid()->setCurrentIndex(model->index(0, kItemBeschreibung));
  EXPECT_TRUE(model->headerData(kItemBeschreibung, Qt::Horizontal, Qt::FontRole).isValid());
  EXPECT_TRUE(Action("deleteAction")->shortcut().isEmpty());
  EXPECT_TRUE(Action("addAction")->shortcut().isEmpty());

  Grid()->setCurrentIndex(model->index(0, kItemPreview));
  EXPECT_EQ(Action("deleteAction")->shortcut(), QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(Action("addAction")->shortcut(), QKeySequence(Qt::Key_Insert));
  Grid()->setCurrentIndex(model->index(0, kItemMark));
  EXPECT_EQ(Action("deleteAction")->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST_F(BrowseTest, ThumbnailsMirrorTheGridAndFocusTheirRecords) {
  InsertThree();
  ui::TForm1& window = Open();
  QAbstractItemModel* thumbnails = Strip()->model();
  ASSERT_EQ(thumbnails->rowCount(), 3);
  EXPECT_EQ(thumbnails->index(2, 0).data().toString().toStdString(), "drittes");
  EXPECT_FALSE(thumbnails->index(0, 0).data(Qt::DecorationRole).isNull());
  EXPECT_TRUE(thumbnails->index(1, 0).data(Qt::DecorationRole).isNull());

  // A thumbnail without a picture still focuses its own record.
  Strip()->scrollTo(thumbnails->index(1, 0));
  QTest::mouseClick(Strip()->viewport(), Qt::LeftButton, {},
                    Strip()->visualRect(thumbnails->index(1, 0)).center());
  EXPECT_EQ(window.grid().focused, 1);
}

TEST_F(BrowseTest, ThumbnailSizeIsWrittenAfterTypingStopsOrAtOnceByPreset) {
  InsertThree();
  TIniPlus settings(SettingsFolder() + "settings.ini");
  settings.WriteInteger("SETTINGS", "THUMBSSIZE", 120);
  Open();
  auto* edit = Find<QSpinBox>("thumbnailSizeEdit");
  EXPECT_EQ(edit->value(), 120);

  edit->setValue(60);  // as typing does
  EXPECT_EQ(settings.ReadInteger("SETTINGS", "THUMBSSIZE", 0), 120);
  WaitFor([&] { return settings.ReadInteger("SETTINGS", "THUMBSSIZE", 0) == 60; }, 3000);
  EXPECT_EQ(Strip()->iconSize(), QSize(60, 60));

  Find<QPushButton>("thumbnailPreset75")->click();
  EXPECT_EQ(settings.ReadInteger("SETTINGS", "THUMBSSIZE", 0), 75);
  EXPECT_EQ(edit->value(), 75);
}

}  // namespace
}  // namespace vemora
