// Following the focus and loading odd catalogues on real engines (SQLite and PostgreSQL).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/catalogue_load.h"
#include "catalogue/dispatcher.h"
#include "catalogue/focused_record.h"
#include "catalogue/size_text.h"
#include "catalogue_engine_fixture.h"
#include "codec/preview.h"
#include "gateways/catalogue_rows.h"
#include "support/pictures.h"

namespace vemora {
namespace {

using testing::InsertCatalogueRow;

class BrowsingEngineTest : public testing::CatalogueEngineFixture {
 protected:
  void SetUp() override {
    CatalogueEngineFixture::SetUp();
    session.imageFolder = "/bilder";
  }

  void Load() { LoadCatalogue(session, grid, LoadOptions{}); }

  FocusedRecordView Focus(int index, bool fileNamesOnly = false) {
    grid.focused = index;
    return ShowFocusedRecord(gateway(), grid, state, selectedFileName, fileNamesOnly);
  }

  SingleImageState state;
  std::string selectedFileName = "vorher.jpg";
};

TEST_P(BrowsingEngineTest, FocusShowsTheStoredImageAndKeepsItWhenTheRowIsGone) {
  const std::string big = testing::TestJpeg(300, 200);
  InsertCatalogueRow(gateway(), "gross", big, codec::MakePreviewJpeg(big), 10);
  InsertCatalogueRow(gateway(), "fehlt", "", "", 11);
  InsertCatalogueRow(gateway(), "klein", testing::TestJpeg(40, 30), "", 12);
  Load();
  EXPECT_EQ(Focus(-1).kind, FocusedRecordView::Kind::None);

  FocusedRecordView view = Focus(0);
  ASSERT_EQ(view.kind, FocusedRecordView::Kind::Picture);
  ASSERT_TRUE(view.imageBytes.has_value());
  EXPECT_TRUE(*view.imageBytes == big);
  EXPECT_EQ(view.sizeText, PixelSizeText(300, 200, StoredSizeKiB(big.size())));
  EXPECT_EQ(view.fileText, "/bilder/gross.jpg");
  EXPECT_EQ(Focus(0, true).fileText, "gross.jpg");

  // No image: the missing-image panel; the chosen file name stays.
  EXPECT_EQ(Focus(1).kind, FocusedRecordView::Kind::MissingImage);
  EXPECT_EQ(selectedFileName, "gross.jpg");

  // Its preview was built during the load, so the small one shows as a picture.
  view = Focus(2);
  EXPECT_EQ(view.kind, FocusedRecordView::Kind::Picture);
  EXPECT_EQ(view.sizeText.substr(0, 14), "40 x 30 Pixel ");

  // A key that finds no row leaves the picture (and its size) as it was.
  gateway().ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 10", 4);
  view = Focus(0);
  EXPECT_FALSE(view.imageBytes.has_value());
  EXPECT_EQ(view.sizeText.substr(0, 14), "40 x 30 Pixel ");
}

TEST_P(BrowsingEngineTest, LoadFindsTheFileNameColumnOrStopsWithTheDatabaseError) {
  // Both rows carry previews, so the load writes nothing and the row order stays put.
  InsertCatalogueRow(gateway(), "ohne Bild", "", "\xFF\xD8", 1);
  InsertCatalogueRow(gateway(), "mit Bild", "\xFF\xD8\xFF", "\xFF\xD8", 2);
  gateway().ExecSQL("ALTER TABLE Bilder RENAME COLUMN File TO XFile", 4);
  Load();
  EXPECT_EQ(session.fileColumn, "XFile");
  ASSERT_EQ(grid.Count(), 2);
  EXPECT_EQ(grid.records[0].filePath, std::nullopt);
  EXPECT_EQ(grid.records[1].filePath, "/bilder/mit Bild.jpg");
  // Adding afterwards writes the file name into the column the load settled on.
  TRecDSBilder record;
  record.File = "neu.jpg";
  TRecCmdMDB insert;
  insert.command = kCmdInsert;
  RunCmdMDB(session, insert, record);
  EXPECT_EQ(testing::ColumnValues(gateway(), "XFile")[2], "neu.jpg");
  gateway().ExecSQL("DELETE FROM Bilder WHERE XFile = 'neu.jpg'", 4);

  // Without either column the first row with image bytes fails; the rows before it stay.
  gateway().ExecSQL("ALTER TABLE Bilder RENAME COLUMN XFile TO Datei", 4);
  EXPECT_THROW(Load(), TDBError);
  EXPECT_EQ(grid.Count(), 1);
  EXPECT_EQ(grid.records[0].name, "ohne Bild");
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(BrowsingEngineTest);

}  // namespace
}  // namespace vemora
