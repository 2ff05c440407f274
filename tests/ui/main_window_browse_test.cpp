// Browsing in the window: the focused record's panels, marks, the focused column's rules
// and the thumbnail strip.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include "settings/ini_plus.h"
#include "support/testdata.h"
#include "ui/grid_model.h"
#include "ui/information_panel.h"
#include "ui/single_image_panel.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::FlatJpeg;

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
  ui::SingleImagePanel* SingleImage() const {
    return Find<ui::SingleImagePanel>("singleImagePanel");
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
