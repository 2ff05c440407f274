// Browsing in the window: the focused record's panels, marks, the focused column's rules
// and the thumbnail strip.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include "catalogue/size_text.h"
#include "settings/ini_plus.h"
#include "support/testdata.h"
#include "ui/grid_model.h"
#include "ui/information_panel.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_model.h"
#include "ui/thumbnail_strip.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::FlatJpeg;

class BrowseTest : public testing::WindowTest {
 protected:
  // Three rows: a picture, a row without image, another picture.
  void InsertThree() {
    picture = FlatJpeg(320, 240, 60);
    Insert("erstes", picture, codec::MakePreviewJpeg(picture), 21);
    Insert("ohne", "", "", 22);
    Insert("drittes", picture, codec::MakePreviewJpeg(picture), 23);
  }
  ui::InformationPanel* Information() const {
    return Find<ui::InformationPanel>("imageInformationPanel");
  }
  ui::SingleImagePanel* SingleImage() const {
    return Find<ui::SingleImagePanel>("singleImagePanel");
  }
  std::vector<std::string> MarkedList() const {
    std::vector<std::string> names;
    auto* list = Find<QListWidget>("markedList");
    for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text().toStdString());
    return names;
  }

  std::string picture;
};

TEST_F(BrowseTest, FocusFillsTheSingleImageAndInformationPanels) {
  InsertThree();
  ui::TForm1& window = Open();
  EXPECT_FALSE(window.actions().refresh->isEnabled());

  window.FocusRecord(0);
  EXPECT_FALSE(SingleImage()->missingImageShown());
  EXPECT_EQ(SingleImage()->picture().size(), QSize(320, 240));
  EXPECT_EQ(Information()->fileText().toStdString(), imageFolder + "/erstes.jpg");
  EXPECT_EQ(Information()->sizeText().toStdString(),
            PixelSizeText(320, 240, StoredSizeKiB(picture.size())));
  EXPECT_FALSE(Information()->exifButton()->isVisible());  // no file at the path
  EXPECT_TRUE(window.actions().refresh->isEnabled());
  EXPECT_TRUE(window.actions().deleteImage->isEnabled());

  // No image: the missing-image panel with its texts.
  window.FocusRecord(1);
  EXPECT_TRUE(SingleImage()->missingImageShown());
  EXPECT_TRUE(SingleImage()->picture().isNull());
  EXPECT_EQ(Information()->fileText().toStdString(), "kein Bild gefunden");
  EXPECT_EQ(Find<QPushButton>("missingImageDelete")->text().toStdString(), "Bild Löschen...");
  EXPECT_EQ(Find<QPushButton>("missingImageNewSource")->text().toStdString(), "neue Quelle...");

  window.FocusRecord(-1);
  EXPECT_EQ(Information()->fileText(), QString());
  EXPECT_FALSE(window.actions().refresh->isEnabled());
}

TEST_F(BrowseTest, ExifButtonShowsForFilesWithMetadataOnly) {
  VEMORA_REQUIRE_TESTDATA();
  imageFolder = (::vemora::testing::TestDataDir() / "images" / "exif" / "canon").string();
  const std::string jpeg = FlatJpeg(40, 30);
  testing::InsertCatalogueRow(*gateway, "Canon_40D", jpeg, codec::MakePreviewJpeg(jpeg), 1);
  testing::InsertCatalogueRow(*gateway, "fehlt", jpeg, codec::MakePreviewJpeg(jpeg), 2);
  ui::TForm1& window = Open();
  window.FocusRecord(0);
  EXPECT_FALSE(Information()->exifButton()->isHidden());
  EXPECT_EQ(Information()->exifButton()->text().toStdString(), "EXIF Informationen");
  window.FocusRecord(1);
  EXPECT_TRUE(Information()->exifButton()->isHidden());
}

TEST_F(BrowseTest, MarksCommitAtOnceAndFeedTheSelectionList) {
  InsertThree();
  ui::TForm1& window = Open(true);
  QAbstractItemModel* model = Grid()->model();
  // A click on the check box commits at once.
  const QRect box = Grid()->visualRect(model->index(2, kItemMark));
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, box.center());
  EXPECT_TRUE(window.grid().records[2].marked);
  EXPECT_EQ(MarkedList(), (std::vector<std::string>{"drittes"}));
  EXPECT_TRUE(model->data(model->index(2, kItemMark), Qt::BackgroundRole).isValid());
  EXPECT_FALSE(model->data(model->index(0, kItemMark), Qt::BackgroundRole).isValid());

  window.FocusRecord(0);
  window.actions().invertMarks->trigger();
  EXPECT_EQ(MarkedList(), (std::vector<std::string>{"erstes", "ohne"}));
  window.actions().markAll->trigger();
  EXPECT_EQ(window.grid().Marks(), (std::vector<bool>{true, true, true}));
  window.actions().markNone->trigger();
  EXPECT_TRUE(MarkedList().empty());
  // The grid's context menu in its order, with the marks submenu.
  QStringList entries;
  for (QAction* action : window.actions().gridContextMenu->actions())
    if (!action->isSeparator()) entries << action->text();
  EXPECT_EQ(entries.join("|").toStdString(),
            "Hinzufügen|Quelle ändern|Löschen|Details|Datei|&Auswahl|Suchbegriffe");
}

TEST_F(BrowseTest, FocusedColumnStylesItsHeaderAndTakesTheEditKeys) {
  InsertThree();
  ui::TForm1& window = Open();
  QAbstractItemModel* model = Grid()->model();
  Grid()->setCurrentIndex(model->index(0, kItemBeschreibung));
  EXPECT_TRUE(model->headerData(kItemBeschreibung, Qt::Horizontal, Qt::FontRole).isValid());
  EXPECT_TRUE(window.actions().deleteImage->shortcut().isEmpty());
  EXPECT_TRUE(window.actions().add->shortcut().isEmpty());

  Grid()->setCurrentIndex(model->index(0, kItemPreview));
  EXPECT_FALSE(model->headerData(kItemBeschreibung, Qt::Horizontal, Qt::FontRole).isValid());
  EXPECT_TRUE(model->headerData(kItemPreview, Qt::Horizontal, Qt::FontRole).isValid());
  EXPECT_EQ(window.actions().deleteImage->shortcut(), QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(window.actions().add->shortcut(), QKeySequence(Qt::Key_Insert));

  // The mark column takes neither the style nor the keys.
  Grid()->setCurrentIndex(model->index(0, kItemMark));
  EXPECT_FALSE(model->headerData(kItemPreview, Qt::Horizontal, Qt::FontRole).isValid());
  EXPECT_FALSE(model->headerData(kItemMark, Qt::Horizontal, Qt::FontRole).isValid());
  EXPECT_EQ(window.actions().deleteImage->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST_F(BrowseTest, ThumbnailsMirrorTheGridAndFocusTheirRecords) {
  InsertThree();
  ui::TForm1& window = Open();
  QAbstractItemModel* thumbnails = Strip()->model();
  QAbstractItemModelTester tester(thumbnails,
                                  QAbstractItemModelTester::FailureReportingMode::Warning);
  ASSERT_EQ(thumbnails->rowCount(), 3);
  EXPECT_EQ(thumbnails->index(2, 0).data().toString().toStdString(), "drittes");
  EXPECT_FALSE(thumbnails->index(0, 0).data(Qt::DecorationRole).isNull());
  EXPECT_TRUE(thumbnails->index(1, 0).data(Qt::DecorationRole).isNull());

  // A thumbnail without a picture still focuses its own record.
  Strip()->scrollTo(thumbnails->index(1, 0));
  QTest::mouseClick(Strip()->viewport(), Qt::LeftButton, {},
                    Strip()->visualRect(thumbnails->index(1, 0)).center());
  EXPECT_EQ(window.grid().focused, 1);
  QTest::mouseClick(Strip()->viewport(), Qt::RightButton, {},
                    Strip()->visualRect(thumbnails->index(2, 0)).center());
  EXPECT_EQ(window.grid().focused, 2);
  EXPECT_TRUE(Strip()->lastRightClickHit());

  // A placeholder in the temp folder stands in for missing previews after a rebuild, and
  // the selected thumbnail stays selected.
  std::ofstream(TempFolder() + "Leer.BMP", std::ios::binary) << std::string(
      "BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x04\0\0\0"
      "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\xff\xff\0",
      58);
  window.RebuildThumbnails();
  EXPECT_FALSE(thumbnails->index(1, 0).data(Qt::DecorationRole).isNull());
  EXPECT_EQ(Find<ui::ThumbnailStrip>("thumbnailPanel")->HighestSelectedRow(), 2);
}

TEST_F(BrowseTest, IconPreviewShowsInGridCellsOnly) {
  VEMORA_REQUIRE_TESTDATA();
  std::ifstream in(
      ::vemora::testing::TestDataDir() / "images" / "misc" / "ico" / "bmp-24bpp-mask.ico",
      std::ios::binary);
  const std::string icon((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(icon.empty());
  ASSERT_EQ(icon[0], '\0');
  Insert("symbol", "\xFF\xD8", icon, 1);
  Open();
  QAbstractItemModel* model = Grid()->model();
  EXPECT_FALSE(model->data(model->index(0, kItemPreview), Qt::DecorationRole).isNull());
  EXPECT_TRUE(Strip()->model()->index(0, 0).data(Qt::DecorationRole).isNull());
}

TEST_F(BrowseTest, ThumbnailSizeEditPresetsAndTheTimer) {
  InsertThree();
  TIniPlus settings(SettingsFolder() + "settings.ini");
  settings.WriteInteger("SETTINGS", "THUMBSSIZE", 120);
  Open();
  auto* edit = Find<QSpinBox>("thumbnailSizeEdit");
  EXPECT_EQ(edit->value(), 120);
  EXPECT_EQ(Strip()->iconSize(), QSize(120, 120));

  edit->setValue(60);  // as typing does
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor::fromRgb(ui::kTypedSizeColour));
  EXPECT_EQ(settings.ReadInteger("SETTINGS", "THUMBSSIZE", 0), 120);
  WaitFor([&] { return settings.ReadInteger("SETTINGS", "THUMBSSIZE", 0) == 60; }, 3000);
  EXPECT_EQ(Strip()->iconSize(), QSize(60, 60));
  EXPECT_NE(edit->palette().color(QPalette::Base), QColor::fromRgb(ui::kTypedSizeColour));

  auto* medium = Find<QPushButton>("thumbnailPreset75");
  EXPECT_EQ(medium->text().toStdString(), "mittel");
  medium->click();
  EXPECT_EQ(settings.ReadInteger("SETTINGS", "THUMBSSIZE", 0), 75);
  EXPECT_EQ(edit->value(), 75);
  EXPECT_TRUE(medium->isChecked());
}

TEST_F(BrowseTest, HiddenThumbnailsAreNeverBuilt) {
  InsertThree();
  TIniPlus(SettingsFolder() + "settings.ini").WriteBool("SETTINGS", "HIDETHUMBS", true);
  ui::TForm1& window = Open();
  EXPECT_EQ(Strip()->model()->rowCount(), 0);
  EXPECT_FALSE(window.actions().thumbnails->isEnabled());
}

}  // namespace
}  // namespace vemora
