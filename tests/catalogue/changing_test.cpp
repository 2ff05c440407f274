// Adding, editing and deleting images on both engines, including a connection that fails
// midway: afterwards the grid and the table agree row for row, and image files on disk are
// untouched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogue/adding.h"
#include "catalogue/deleting.h"
#include "catalogue/editing.h"
#include "catalogue/records.h"
#include "catalogue_engine_fixture.h"
#include "codec/bmp.h"
#include "codec/tiff.h"
#include "failing_gateway.h"
#include "gateways/catalogue_rows.h"
#include "scripted_dialogs.h"
#include "support/pictures.h"

namespace vemora {
namespace {

using testing::ColumnValues;

class ChangingTest : public testing::CatalogueEngineFixture {
 protected:
  void SetUp() override {
    CatalogueEngineFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    failing = std::make_unique<testing::FailingGateway>(gateway());
    session.gateway = failing.get();
  }

  std::string Jpeg(const std::string& name) { return WriteFile(name, testing::TestJpeg(64, 48)); }

  // The grid and the table hold the same rows, in the same order.
  void ExpectGridMatchesTable() {
    const auto keys = ColumnValues(gateway(), "BildCtr2");
    const auto names = ColumnValues(gateway(), "Name");
    const auto descriptions = ColumnValues(gateway(), "Beschreibung");
    ASSERT_EQ(grid.records.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(std::to_string(grid.records[i].key), keys[i]) << i;
      EXPECT_EQ(grid.records[i].name, names[i]) << i;
      EXPECT_EQ(grid.records[i].beschreibung, descriptions[i]) << i;
    }
  }

  std::unique_ptr<testing::FailingGateway> failing;
  testing::ScriptedDialogs dialogs;
};

TEST_P(ChangingTest, AddingReadsEveryKindAndGoesOnAfterABadFile) {
  dialogs.filesToChoose = {
      Jpeg("haus.jpg"),
      WriteFile("plan.bmp", codec::EncodeBmp(testing::TestPicture(30, 20))),
      WriteFile("scan.tif", codec::EncodeTiff(testing::TestPicture(20, 30))),
      WriteFile("kaputt.jpg", std::string("\xFF\xD8\xFF\xE0 not really", 16)),
      WriteFile("symbol.ico", std::string("\0\0\1\0\1\0icon", 10)),
      WriteFile("foto.png", std::string("\x89PNG\r\n\x1A\n", 8)),
  };
  EXPECT_EQ(AddImagesFromDialog(session, grid, dialogs), 5);
  EXPECT_EQ(dialogs.fileDialogTitle, "Bilder hinzufügen");
  EXPECT_TRUE(dialogs.fileDialogMultiple);
  EXPECT_EQ(prompter.shown, std::vector<std::string>{"Unbekanntes Dateiformat"});
  EXPECT_EQ(dialogs.shownTimes.size(), 6u);
  ExpectGridMatchesTable();

  EXPECT_EQ(grid.focused, 4);
  EXPECT_EQ(grid.records[0].name, "haus");
  EXPECT_EQ(grid.records[0].filePath, (folder / "haus.jpg").string());
  // JPEG, bitmap and TIFF get a JPEG preview 100 pixels high; an icon keeps its bytes.
  for (int i : {0, 1, 2}) EXPECT_TRUE(grid.records[i].preview.starts_with("\xFF\xD8")) << i;
  EXPECT_EQ(grid.records[3].preview, std::string("\0\0\1\0\1\0icon", 10));
  EXPECT_EQ(grid.records[4].preview, "");
  EXPECT_EQ(ColumnValues(gateway(), "File")[1], "plan.bmp");
  EXPECT_EQ(ColumnValues(gateway(), "Path")[1], folder.string() + "/");
  EXPECT_TRUE(ColumnValues(gateway(), "VsBild")[2] == grid.records[2].preview);
}

TEST_P(ChangingTest, CancelledDialogAddsNothing) {
  EXPECT_EQ(AddImagesFromDialog(session, grid, dialogs), 0);
  EXPECT_EQ(dialogs.addWindowFileCount, -1);
  ExpectGridMatchesTable();
}

TEST_P(ChangingTest, FailedInsertLeavesNoRecordBehind) {
  const std::string first = Jpeg("a.jpg");
  const std::string second = Jpeg("b.jpg");
  AddImageFile(session, grid, first);
  // Insert, look-up, key update: fail each in turn. A row inserted before the failure is
  // taken out again.
  for (int statement = 1; statement <= 3; ++statement) {
    failing->FailOnStatement(statement);
    EXPECT_THROW(AddImageFile(session, grid, second), TDBError) << statement;
    failing->FailOnStatement(0);
    ExpectGridMatchesTable();
    EXPECT_EQ(grid.focused, 0);
  }
}

TEST_P(ChangingTest, DropStopsAtTheFirstFailure) {
  const std::vector<std::string> paths = {Jpeg("a.jpg"), Jpeg("b.jpg"), Jpeg("c.jpg")};
  failing->FailOnStatement(4);  // the second file's insert
  EXPECT_THROW(AddDroppedFiles(session, grid, dialogs, paths), TDBError);
  EXPECT_EQ(grid.records.size(), 1u);
  ExpectGridMatchesTable();
}

TEST_P(ChangingTest, CellEditsAreWrittenAtOnceAndKeptOnlyWhenWritten) {
  AddImageFile(session, grid, Jpeg("a.jpg"));
  AddImageFile(session, grid, Jpeg("b.jpg"));
  CommitCellEdit(session, grid, 1, kFieldBeschreibung, "Zwei\r\nZeilen");
  CommitCellEdit(session, grid, 1, kFieldSuchbegriffe, "Meer");
  CommitCellEdit(session, grid, 0, kFieldName, "");
  EXPECT_EQ(grid.records[1].beschreibung, "Zwei\r\nZeilen");
  EXPECT_EQ(ColumnValues(gateway(), "Suchbegriffe")[1], "Meer");
  ExpectGridMatchesTable();

  failing->FailOnStatement(1);
  EXPECT_THROW(CommitCellEdit(session, grid, 1, kFieldBeschreibung, "verloren"), TDBError);
  EXPECT_EQ(grid.records[1].beschreibung, "Zwei\r\nZeilen");
  ExpectGridMatchesTable();
  EXPECT_THROW(CommitCellEdit(session, grid, 0, kFieldPath, "x"), std::invalid_argument);
}

TEST_P(ChangingTest, ReplacingTheSourceKeepsKeyAndTextsAndAsksAboutTheName) {
  AddImageFile(session, grid, Jpeg("alt.jpg"));
  CommitCellEdit(session, grid, 0, kFieldBeschreibung, "bleibt");
  const int32_t key = grid.records[0].key;
  const std::string replacement =
      WriteFile("neu.bmp", codec::EncodeBmp(testing::TestPicture(40, 40)));

  prompter.answers = {Answer::No};
  ReplaceImageSource(session, grid, replacement);
  EXPECT_EQ(prompter.shown.back(),
            "Soll die Bildbeschreibung\r\nvon \"alt\"\r\nin \"neu\"\r\ngeändert werden ?");
  EXPECT_EQ(grid.records[0].name, "alt");
  EXPECT_EQ(grid.records[0].key, key);
  EXPECT_EQ(grid.records[0].filePath, replacement);
  EXPECT_EQ(ColumnValues(gateway(), "File")[0], "neu.bmp");
  EXPECT_TRUE(ColumnValues(gateway(), "Bild")[0].starts_with("BM"));
  ExpectGridMatchesTable();

  prompter.answers = {Answer::Yes};
  ReplaceImageSource(session, grid, replacement);
  EXPECT_EQ(grid.records[0].name, "neu");
  const size_t questions = prompter.shown.size();
  ReplaceImageSource(session, grid, replacement);  // same name: no question
  EXPECT_EQ(prompter.shown.size(), questions);
  EXPECT_EQ(ColumnValues(gateway(), "Beschreibung")[0], "bleibt");

  EXPECT_THROW(ReplaceImageSource(session, grid, (folder / "fehlt.jpg").string()),
               std::runtime_error);
  failing->FailOnStatement(1);
  prompter.answers = {Answer::Yes};
  EXPECT_THROW(ReplaceImageSource(session, grid, Jpeg("anders.jpg")), TDBError);
  EXPECT_EQ(grid.records[0].filePath, replacement);
  ExpectGridMatchesTable();
}

TEST_P(ChangingTest, DeletingAsksPlainlyWithoutOtherMarks) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddImageFile(session, grid, Jpeg(name));
  grid.focused = 1;
  grid.records[1].marked = true;  // only the focused record marked: still the plain question
  prompter.answers = {Answer::No};
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 0);
  EXPECT_EQ(prompter.shown.back(), "Wollen Sie wirklich das Bild löschen?");
  EXPECT_FALSE(dialogs.deleteDialogShown);
  prompter.answers = {Answer::Yes};
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 1);
  EXPECT_EQ(grid.records[1].name, "c");
  EXPECT_EQ(grid.focused, 1);
  ExpectGridMatchesTable();
  // The files stay on disk.
  EXPECT_TRUE(std::filesystem::exists(folder / "b.jpg"));
}

TEST_P(ChangingTest, DeletingMarkedRowsGoesFromTheHighestDown) {
  for (const char* name : {"r0", "r1", "r2", "r3", "r4", "r5"}) {
    AddImageFile(session, grid, Jpeg(std::string(name) + ".jpg"));
  }
  grid.records[5].name = "";
  CommitCellEdit(session, grid, 5, kFieldName, "");
  grid.records[2].marked = grid.records[5].marked = true;
  grid.focused = 3;

  dialogs.deleteChoice = {.cancelled = true, .deleteMarked = true};
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 0);
  EXPECT_EQ(dialogs.deleteDialogLeft, "r3");
  EXPECT_EQ(dialogs.deleteDialogRight, (std::vector<std::string>{"<keine Bezeichnung>", "r2"}));
  EXPECT_EQ(grid.records.size(), 6u);

  dialogs.deleteChoice = {.cancelled = false, .deleteMarked = true};
  failing->FailOnStatement(2);  // the second delete (row 2) fails
  EXPECT_THROW(DeleteImages(session, grid, dialogs), TDBError);
  ExpectGridMatchesTable();
  EXPECT_EQ(grid.records.size(), 5u);
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 1);
  ExpectGridMatchesTable();
  EXPECT_EQ(ColumnValues(gateway(), "Name"), (std::vector<std::string>{"r0", "r1", "r3", "r4"}));
  EXPECT_EQ(grid.records[static_cast<size_t>(grid.focused)].name, "r3");
}

TEST_P(ChangingTest, DirectDeleteTakesTheFocusedRecord) {
  AddImageFile(session, grid, Jpeg("a.jpg"));
  EXPECT_EQ(DeleteFocusedImage(session, grid), 1);
  EXPECT_EQ(DeleteFocusedImage(session, grid), 0);
  EXPECT_EQ(grid.focused, -1);
  ExpectGridMatchesTable();
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(ChangingTest);

TEST(AddingTexts, SizesRoundHalfToEvenAndTimesDropLargerUnits) {
  EXPECT_EQ(RoundedSizeText(1536), "2 KByte");
  EXPECT_EQ(RoundedSizeText(2560), "2 KByte");
  EXPECT_EQ(RoundedSizeText(3584), "4 KByte");
  EXPECT_EQ(RoundedSizeText(511), "0 KByte");
  EXPECT_EQ(RoundedSizeText(1537), "2 KByte");
  using std::chrono::milliseconds;
  EXPECT_EQ(FileDurationText(milliseconds(1005)), "1,5 Sekunden ");
  EXPECT_EQ(FileDurationText(milliseconds(61'250)), "1,250 Sekunden ");
  EXPECT_EQ(ElapsedText(milliseconds(123'040)), "2 Minuten 3,40 Sekunden");
  EXPECT_EQ(ElapsedText(milliseconds(3'600'000 + 61'001)), "1 Minuten 1,1 Sekunden");
}

// Grid items and selectors are numbered differently (item 9 is selector 14): a mix-up would
// write a text into the wrong column.
TEST(EditingRules, GridColumnsMapToTheirSelectors) {
  const std::pair<int, int32_t> editable[] = {
      {kItemName, 3},      {kItemBeschreibung, 4}, {kItemTextTop, 9},      {kItemTextBottom, 10},
      {kItemTextLeft, 11}, {kItemTextRight, 12},   {kItemSuchbegriffe, 14}};
  for (const auto& [item, selector] : editable) EXPECT_EQ(EditSelectorForItem(item), selector);
  for (int item : {kItemPreview, kItemFile, kItemKey, kItemMark, kItemPath, kItemSize})
    EXPECT_FALSE(EditSelectorForItem(item).has_value()) << item;
  EXPECT_TRUE(IsMultiLineItem(kItemBeschreibung));
  EXPECT_TRUE(IsMultiLineItem(kItemSuchbegriffe));
  EXPECT_FALSE(IsMultiLineItem(kItemName));
}

}  // namespace
}  // namespace vemora
