// The scaling run on both engines: which rows are taken, what each becomes, the statements
// it sends, and a connection lost in the middle.
#include <gtest/gtest.h>

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/tiff.h"
#include "fileops/scaling.h"
#include "stored_images_fixture.h"
#include "support/pictures.h"

namespace vemora {
namespace {

constexpr const char* kUpdate = "UPDATE Bilder SET Bild=:p1 WHERE BildCtr2=:p2";

std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

codec::ImageInfo SizeOf(const std::string& bytes) {
  return codec::ReadImageInfo(codec::AsBytes(bytes));
}

class ScalingTest : public testing::StoredImagesFixture {
 protected:
  void SetUp() override {
    StoredImagesFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    choice.outcome = ResizeOutcome::Ok;
    choice.widthText = "80";
    choice.heightText = "80";
    rows = {
        {"quer.jpg", testing::TestJpeg(400, 300)},
        {"hoch.bmp", Text(codec::EncodeBmp(testing::TestPicture(300, 400)))},
        {"schmal.jpg", testing::TestJpeg(100, 250)},  // at most half as wide as high
        {"klein.tif", Text(codec::EncodeTiff(testing::TestPicture(50, 40)))},
        {"notiz.txt", "kein Bild"},
        {"breit.tif", Text(codec::EncodeTiff(testing::TestPicture(200, 100)))},
    };
    for (const auto& [file, bytes] : rows) AddRow(file, bytes);
    failing->statements.clear();
  }

  bool Unchanged(int i) { return Stored(i).bild == rows[static_cast<size_t>(i)].second; }

  ResizeDialogResult choice;
  std::vector<std::pair<std::string, std::string>> rows;
};

TEST_P(ScalingTest, EveryRowIsWrittenBackFittedInItsOwnFormatAndPreviewsStay) {
  EXPECT_EQ(ScaleStoredImages(session, grid, choice), 6);
  EXPECT_EQ(CountStatements(kUpdate), 6);
  EXPECT_EQ(failing->statements.size(), 7u);  // the query and one update per row
  EXPECT_EQ(failing->statements[0], "SELECT * FROM Bilder");
  EXPECT_EQ(prompter.lastMaximum, 6);
  EXPECT_EQ(prompter.steps, 6);

  struct Expected {
    int32_t width, height;
    codec::ImageKind kind;
  };
  const Expected expected[] = {
      {80, 60, codec::ImageKind::Jpeg},   {60, 80, codec::ImageKind::Bmp},
      {100, 250, codec::ImageKind::Jpeg}, {50, 40, codec::ImageKind::Tiff},
      {0, 0, codec::ImageKind::Unknown},  {80, 40, codec::ImageKind::Tiff}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(rows[static_cast<size_t>(i)].first);
    const testing::StoredRow row = Stored(i);
    EXPECT_EQ(row.vsBild, "vs:" + rows[static_cast<size_t>(i)].first);
    EXPECT_EQ(codec::CatalogueImageKind(codec::AsBytes(row.bild)), expected[i].kind);
    if (expected[i].kind == codec::ImageKind::Unknown) continue;
    EXPECT_EQ(SizeOf(row.bild).width, expected[i].width);
    EXPECT_EQ(SizeOf(row.bild).height, expected[i].height);
  }
  // Pictures left alone keep their bytes exactly.
  EXPECT_TRUE(Unchanged(2));
  EXPECT_TRUE(Unchanged(3));
  EXPECT_TRUE(Unchanged(4));
}

TEST_P(ScalingTest, InterpolationResamplesPicturesThatFitAtTheirOwnSize) {
  choice.interpolate = true;
  choice.filter = 4;        // Lanczos3
  choice.colourFormat = 2;  // 256 Graustufen
  ScaleStoredImages(session, grid, choice);
  const codec::Image small = codec::DecodeImage(codec::AsBytes(Stored(3).bild));
  EXPECT_EQ(small.width, 50);
  EXPECT_EQ(small.format, codec::PixelFormat::Gray8);
  EXPECT_TRUE(Unchanged(2));  // the narrow one still stays
}

TEST_P(ScalingTest, MarkedImagesAreMatchedByKeyNotByPosition) {
  // The grid shows the rows in another order than the query returns them.
  std::vector<GridRecord> reversed(grid.records().rbegin(), grid.records().rend());
  const std::vector<GridRecord> inOrder = grid.records();
  reversed[0].marked = true;  // the last row added
  grid.Replace(reversed);
  choice.markedOnly = true;
  EXPECT_EQ(ScaleStoredImages(session, grid, choice), 1);
  grid.Replace(inOrder);
  ASSERT_EQ(CountStatements(kUpdate), 1);
  EXPECT_EQ(SizeOf(Stored(5).bild).width, 80);
  EXPECT_TRUE(Unchanged(0));
  EXPECT_EQ(prompter.steps, 6);  // the progress still walks every row
}

TEST_P(ScalingTest, ALostConnectionLeavesEarlierRowsScaledAndLaterOnesUntouched) {
  failing->FailOnStatement(3);  // the query, the first update, then the second fails
  EXPECT_THROW(ScaleStoredImages(session, grid, choice), TDBError);
  failing->FailOnStatement(0);
  EXPECT_EQ(SizeOf(Stored(0).bild).width, 80);
  for (int i = 1; i < 6; ++i) EXPECT_TRUE(Unchanged(i)) << i;
}

TEST_P(ScalingTest, ADamagedPictureEndsTheRunAtItsRow) {
  const int damaged = AddRow("kaputt.jpg", std::string("\xFF\xD8\xFF\xC0 kaputt", 12));
  EXPECT_THROW(ScaleStoredImages(session, grid, choice), codec::CodecError);
  EXPECT_EQ(CountStatements(kUpdate), damaged);
}

TEST_P(ScalingTest, ALimitThatIsNoNumberOrTheExportButtonChangesNothing) {
  choice.heightText = "80px";
  EXPECT_THROW(
      {
        try {
          ScaleStoredImages(session, grid, choice);
        } catch (const std::runtime_error& error) {
          EXPECT_STREQ(error.what(), "'80px' ist kein gültiger Integerwert");
          throw;
        }
      },
      std::runtime_error);
  EXPECT_TRUE(failing->statements.empty());

  dialogs.resizeChoice = choice;
  dialogs.resizeChoice.outcome = ResizeOutcome::ExportRequested;
  EXPECT_TRUE(ScaleCatalogueImages(session, grid, dialogs).exportRequested);
  dialogs.resizeChoice.outcome = ResizeOutcome::Cancelled;
  EXPECT_FALSE(ScaleCatalogueImages(session, grid, dialogs).exportRequested);
  EXPECT_TRUE(failing->statements.empty());
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(ScalingTest);

}  // namespace
}  // namespace vemora
