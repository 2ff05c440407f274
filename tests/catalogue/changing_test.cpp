// Adding, editing and deleting images on both engines, including a connection that fails
// midway: afterwards the grid and the table agree row for row, and image files on disk are
// untouched. Edits of rows another host changed meanwhile ask first, showing both values.
// The details command's write, and the EXIF dialog's summary of real camera files, its
// expected lines written by hand from exiftool's reading beside each file. The rules that
// need no database: size and time texts, the grid's column numbering, the thumbnail size.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/adding.h"
#include "catalogue/catalogue_load.h"
#include "catalogue/deleting.h"
#include "catalogue/editing.h"
#include "catalogue/exif_report.h"
#include "catalogue/grid_record.h"
#include "catalogue/record_details.h"
#include "catalogue/records.h"
#include "catalogue/size_text.h"
#include "catalogue/window_rules.h"
#include "catalogue_engine_fixture.h"
#include "codec/bmp.h"
#include "codec/tiff.h"
#include "gateways/catalogue_rows.h"
#include "metadata/img_data.h"
#include "scripted_dialogs.h"
#include "support/pictures.h"
#include "support/testdata.h"

namespace vemora {
namespace {

using testing::ColumnValues;
using testing::InsertCatalogueRow;

class ChangingTest : public testing::CatalogueEngineFixture {
 protected:
  std::string Jpeg(const std::string& name) { return WriteFile(name, testing::TestJpeg(64, 48)); }
  void Add(std::initializer_list<const char*> names) {
    for (const char* name : names) AddImageFile(session, grid, Jpeg(std::string(name) + ".jpg"));
  }

  void ExpectGridMatchesTable() {
    const auto keys = ColumnValues(gateway(), "BildCtr2");
    const auto names = ColumnValues(gateway(), "Name");
    const auto descriptions = ColumnValues(gateway(), "Beschreibung");
    ASSERT_EQ(grid.records().size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(std::to_string(grid.Record(i).key), keys[i]) << i;
      EXPECT_EQ(grid.Record(i).name, names[i]) << i;
      EXPECT_EQ(grid.Record(i).beschreibung, descriptions[i]) << i;
    }
  }

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
  EXPECT_EQ(prompter.shown, std::vector<std::string>{"Unbekanntes Dateiformat"});
  ExpectGridMatchesTable();

  EXPECT_EQ(grid.focused, 4);
  EXPECT_EQ(grid.Record(0).name, "haus");
  EXPECT_EQ(grid.Record(0).filePath, (folder / "haus.jpg").string());
  // JPEG, bitmap and TIFF get a JPEG preview; an icon keeps its bytes; the rest none.
  for (int i : {0, 1, 2}) EXPECT_TRUE(grid.Record(i).preview.starts_with("\xFF\xD8")) << i;
  EXPECT_EQ(grid.Record(3).preview, std::string("\0\0\1\0\1\0icon", 10));
  EXPECT_EQ(grid.Record(4).preview, "");
  EXPECT_TRUE(ColumnValues(gateway(), "VsBild")[2] == grid.Record(2).preview);
}

TEST_P(ChangingTest, FailedInsertLeavesNoRecordBehind) {
  Add({"a"});
  // Insert, look-up, key update: fail each in turn. A row inserted before the failure is
  // taken out again.
  const std::string second = Jpeg("b.jpg");
  for (int statement = 1; statement <= 3; ++statement) {
    failing->FailOnStatement(statement);
    EXPECT_THROW(AddImageFile(session, grid, second), TDBError) << statement;
    failing->FailOnStatement(0);
    ExpectGridMatchesTable();
    EXPECT_EQ(grid.focused, 0);
  }

  const std::vector<std::string> dropped = {Jpeg("c.jpg"), Jpeg("d.jpg"), Jpeg("e.jpg")};
  failing->FailOnStatement(4);  // the second file's insert
  EXPECT_THROW(AddDroppedFiles(session, grid, dialogs, dropped), TDBError);
  EXPECT_EQ(grid.records().size(), 2u);
  ExpectGridMatchesTable();
}

TEST_P(ChangingTest, CellEditsAreWrittenAtOnceAndKeptOnlyWhenWritten) {
  Add({"a", "b"});
  CommitCellEdit(session, grid, 1, kFieldBeschreibung, "Zwei\r\nZeilen");
  CommitCellEdit(session, grid, 1, kFieldSuchbegriffe, "Meer");
  CommitCellEdit(session, grid, 0, kFieldName, "");
  EXPECT_EQ(ColumnValues(gateway(), "Suchbegriffe")[1], "Meer");
  ExpectGridMatchesTable();

  failing->FailOnStatement(1);
  EXPECT_THROW(CommitCellEdit(session, grid, 1, kFieldBeschreibung, "verloren"), TDBError);
  EXPECT_EQ(grid.Record(1).beschreibung, "Zwei\r\nZeilen");
  ExpectGridMatchesTable();
  EXPECT_THROW(CommitCellEdit(session, grid, 0, kFieldPath, "x"), std::invalid_argument);
}

TEST_P(ChangingTest, ReplacingTheSourceKeepsKeyAndTexts) {
  Add({"alt"});
  CommitCellEdit(session, grid, 0, kFieldBeschreibung, "bleibt");
  const int32_t key = grid.Record(0).key;
  const std::string replacement =
      WriteFile("neu.bmp", codec::EncodeBmp(testing::TestPicture(40, 40)));

  ReplaceImageSource(session, grid, replacement);  // answered Yes
  EXPECT_EQ(prompter.shown.back(),
            "Soll die Bildbeschreibung\r\nvon \"alt\"\r\nin \"neu\"\r\ngeändert werden ?");
  EXPECT_EQ(grid.Record(0).name, "neu");
  EXPECT_EQ(grid.Record(0).filePath, replacement);
  EXPECT_EQ(ColumnValues(gateway(), "File")[0], "neu.bmp");
  EXPECT_TRUE(ColumnValues(gateway(), "Bild")[0].starts_with("BM"));
  const size_t questions = prompter.shown.size();
  ReplaceImageSource(session, grid, replacement);  // same name: no question
  EXPECT_EQ(prompter.shown.size(), questions);
  EXPECT_EQ(grid.Record(0).key, key);
  EXPECT_EQ(ColumnValues(gateway(), "Beschreibung")[0], "bleibt");
  ExpectGridMatchesTable();

  EXPECT_THROW(ReplaceImageSource(session, grid, (folder / "fehlt.jpg").string()),
               std::runtime_error);
  failing->FailOnStatement(1);
  EXPECT_THROW(ReplaceImageSource(session, grid, Jpeg("anders.jpg")), TDBError);
  EXPECT_EQ(grid.Record(0).name, "neu");
  EXPECT_EQ(grid.Record(0).filePath, replacement);
  ExpectGridMatchesTable();
}

TEST_P(ChangingTest, DeletingGoesFromTheHighestMarkDownAndStopsAtAFailure) {
  Add({"r0", "r1", "r2", "r3", "r4", "r5"});
  CommitCellEdit(session, grid, 5, kFieldName, "");
  // Only the focused record marked: still the plain question, and No deletes nothing.
  grid.focused = 3;
  grid.SetMark(3, true);
  prompter.answers = {Answer::No};
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 0);
  EXPECT_EQ(prompter.shown.back(), "Wollen Sie wirklich das Bild löschen?");
  EXPECT_FALSE(dialogs.deleteDialogShown);

  grid.SetMark(3, false);
  grid.SetMark(2, true);
  grid.SetMark(5, true);
  dialogs.deleteChoice = {.cancelled = true, .deleteMarked = true};
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 0);
  EXPECT_EQ(dialogs.deleteDialogLeft, "r3");
  EXPECT_EQ(dialogs.deleteDialogRight, (std::vector<std::string>{"<keine Bezeichnung>", "r2"}));
  EXPECT_EQ(grid.records().size(), 6u);

  dialogs.deleteChoice = {.cancelled = false, .deleteMarked = true};
  failing->FailOnStatement(2);  // the second delete (row 2) fails
  EXPECT_THROW(DeleteImages(session, grid, dialogs), TDBError);
  ExpectGridMatchesTable();
  EXPECT_EQ(grid.records().size(), 5u);
  EXPECT_EQ(DeleteImages(session, grid, dialogs), 1);
  ExpectGridMatchesTable();
  EXPECT_EQ(ColumnValues(gateway(), "Name"), (std::vector<std::string>{"r0", "r1", "r3", "r4"}));
  EXPECT_EQ(grid.Record(grid.focused).name, "r3");
  EXPECT_TRUE(std::filesystem::exists(folder / "r2.jpg"));  // files stay on disk

  // "Bild Löschen..." takes the focused record without asking; without focus, nothing.
  EXPECT_EQ(DeleteFocusedImage(session, grid), 1);
  grid.focused = -1;
  EXPECT_EQ(DeleteFocusedImage(session, grid), 0);
  ExpectGridMatchesTable();
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(ChangingTest);

class OverwriteGuardTest : public testing::CatalogueEngineFixture {
 protected:
  void SetUp() override {
    testing::CatalogueEngineFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InsertCatalogueRow(gateway(), "eins", "", "", 1);
    InsertCatalogueRow(gateway(), "zwei", "", "", 2);
    LoadCatalogue(session, grid, {});
    session.guardOverwrites = true;
    other = catalogue().Connect();
    other->ExecSQL("UPDATE Bilder SET Name = 'dort' WHERE BildCtr2 = 1", 4);
    prompter.shown.clear();
  }
  std::vector<std::string> Names() { return ColumnValues(gateway(), "Name"); }

  std::unique_ptr<TDBGateway> other;
};

TEST_P(OverwriteGuardTest, ACellChangedElsewhereIsWrittenOnlyOnYes) {
  prompter.answers = {Answer::No};
  CommitCellEdit(session, grid, 0, kFieldName, "hier");
  EXPECT_EQ(Names(), (std::vector<std::string>{"dort", "zwei"}));
  EXPECT_EQ(grid.Record(0).name, "eins");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0],
            "Das Bild \"dort\" wurde inzwischen an einem anderen Arbeitsplatz geändert.\r\n\r\n"
            "Bezeichnung\r\n  anderer Arbeitsplatz: \"dort\"\r\n  hier: \"hier\"\r\n\r\n"
            "Trotzdem mit Ihrer Eingabe überschreiben?");

  prompter.answers = {Answer::Yes};
  CommitCellEdit(session, grid, 0, kFieldName, "hier");
  EXPECT_EQ(Names(), (std::vector<std::string>{"hier", "zwei"}));
  // Another column of the same row, untouched elsewhere: no question.
  CommitCellEdit(session, grid, 0, kFieldTextTop, "neu oben");
  CommitCellEdit(session, grid, 1, kFieldName, "zwo");
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_P(OverwriteGuardTest, DeletingOrReplacingARowChangedOrGoneElsewhereAsksOrTells) {
  grid.focused = 0;
  prompter.answers = {Answer::No};
  EXPECT_EQ(DeleteFocusedImage(session, grid), 0);
  EXPECT_EQ(Names().size(), 2u);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].find("Bezeichnung\r\n  anderer Arbeitsplatz: \"dort\"\r\n  hier: "
                                   "\"eins\"\r\n\r\nTrotzdem löschen?"),
            std::string::npos);

  other->ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 2", 4);
  grid.focused = 1;
  const std::string file = WriteFile("anders.jpg", std::string("\xFF\xD8", 2));
  ReplaceImageSource(session, grid, file);
  EXPECT_EQ(prompter.shown.back(),
            "Das Bild wurde inzwischen an einem anderen Arbeitsplatz gelöscht.");
  // Deleting a row that is gone already needs no question.
  EXPECT_EQ(DeleteFocusedImage(session, grid), 1);
  EXPECT_EQ(prompter.shown.size(), 2u);

  session.guardOverwrites = false;
  grid.focused = 0;
  EXPECT_EQ(DeleteFocusedImage(session, grid), 1);
  EXPECT_EQ(prompter.shown.size(), 2u);
  EXPECT_TRUE(Names().empty());
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(OverwriteGuardTest);

class DetailsTest : public testing::CatalogueEngineFixture {
 protected:
  void SetUp() override {
    CatalogueEngineFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    for (const char* name : {"eins.jpg", "zwei.jpg"}) {
      AddImageFile(session, grid, WriteFile(name, testing::TestJpeg(40, 30)));
    }
  }
  void ExpectStored(int row, const RecordTexts& texts) {
    EXPECT_EQ(TextsOfRecord(grid.Record(row)), texts);
    const auto index = static_cast<std::size_t>(row);
    EXPECT_EQ(ColumnValues(gateway(), "Name")[index], texts.name);
    EXPECT_EQ(ColumnValues(gateway(), "Beschreibung")[index], texts.beschreibung);
    EXPECT_EQ(ColumnValues(gateway(), "TextTop")[index], texts.textTop);
    EXPECT_EQ(ColumnValues(gateway(), "TextBottom")[index], texts.textBottom);
    EXPECT_EQ(ColumnValues(gateway(), "TextLeft")[index], texts.textLeft);
    EXPECT_EQ(ColumnValues(gateway(), "TextRight")[index], texts.textRight);
    EXPECT_EQ(ColumnValues(gateway(), "Suchbegriffe")[index], texts.suchbegriffe);
  }
};

TEST_P(DetailsTest, OnlyChangedTextsAreWrittenAndAFailedWriteLeavesGridAndTableAgreeing) {
  const RecordTexts untouched = TextsOfRecord(grid.Record(0));
  const RecordTexts edited = {"Hafen", "Zwei\r\nZeilen", "oben",      "unten",
                              "links", "rechts",         "Meer, Boot"};
  failing->statements.clear();
  EXPECT_EQ(WriteRecordTexts(session, grid, 1, edited), 7);
  EXPECT_EQ(failing->statements.size(), 7u);
  ExpectStored(1, edited);
  ExpectStored(0, untouched);

  // The same texts again write nothing; one changed text writes one statement.
  failing->statements.clear();
  EXPECT_EQ(WriteRecordTexts(session, grid, 1, edited), 0);
  RecordTexts emptied = edited;
  emptied.beschreibung.clear();
  EXPECT_EQ(WriteRecordTexts(session, grid, 1, emptied), 1);
  EXPECT_EQ(failing->statements.size(), 1u);
  ExpectStored(1, emptied);

  // A write that fails midway keeps what it wrote, in the grid and the table alike.
  RecordTexts expected = untouched;
  expected.name = "neu";
  expected.beschreibung = "neu";
  failing->FailOnStatement(3);  // the third column's update
  EXPECT_THROW(
      WriteRecordTexts(session, grid, 0, {"neu", "neu", "neu", "neu", "neu", "neu", "neu"}),
      TDBError);
  failing->FailOnStatement(0);
  ExpectStored(0, expected);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(DetailsTest);

std::string CameraFile(const std::string& path) {
  return (testing::TestDataDir() / "images" / "exif" / path).string();
}

struct SummaryCase {
  const char* file;
  std::vector<std::string> lines;
};

// Exposure, focal lengths, aperture, ISO and flash as exiftool reads them, in our formats:
// rationals as stored ("5/300" is exiftool's 1/60), lengths with two decimals.
const SummaryCase kSummaries[] = {
    // Exposure time, the file's own 35 mm length (the reader writes it without unit), no
    // Exif ISO (the camera keeps it in its maker note), flash fired.
    {"nikon/Nikon_D70.jpg",
     {"Dateiname : Nikon_D70.jpg", "Kamera : NIKON CORPORATION (NIKON D70)",
      "Foto Datum : 2004:11:21 21:29:12", "Auslösezeit : 5/300 sec", "Brennweite : 70.00 mm",
      "Brennweite (35mm) : 105", "Blende : F4.5", "Blitz : JA"}},
    // No exposure time: the shutter speed value instead; the 35 mm length worked out from
    // the sensor resolution (8.7 mm on a 1/1.7" sensor), which exiftool does not list.
    {"fujifilm/Fujifilm_FinePix40i.jpg",
     {"Dateiname : Fujifilm_FinePix40i.jpg", "Kamera : FUJIFILM (FinePix40i)",
      "Foto Datum : 2000:08:04 18:22:57", "Verschlusszeit : 0.0221 sec (1/45)",
      "Brennweite :  8.70 mm", "Brennweite (35mm) : 29.88 mm", "Blende : F2.8", "ISO : 200",
      "Blitz : JA"}},
    // Flash 16: off, did not fire.
    {"canon/Canon_350D_MG_9382.JPG",
     {"Dateiname : Canon_350D_MG_9382.JPG", "Kamera : Canon (Canon EOS DIGITAL REBEL XT)",
      "Foto Datum : 2020:03:05 09:41:42", "Auslösezeit : 1/50 sec", "Brennweite : 35.00 mm",
      "Brennweite (35mm) : 56.78 mm", "Blende : F4.5", "ISO : 100", "Blitz : NEIN"}},
    // No Exif data at all (its APP1 section holds none): nothing to summarise.
    {"casio/Casio_QV-7000SX_noexif.jpg", {}},
};

TEST(ExifSummaryTest, SummaryTagsAndReaderErrorsOfCameraFiles) {
  VEMORA_REQUIRE_TESTDATA();
  for (const SummaryCase& expected : kSummaries) {
    EXPECT_EQ(ReadExifReport(CameraFile(expected.file)).summary, expected.lines) << expected.file;
  }

  metadata::TimgData data;
  ASSERT_TRUE(data.ProcessFile(CameraFile("canon/Canon_350D_MG_9382.JPG")));
  data.ErrStr = "Illegally sized directory";
  EXPECT_EQ(
      ExifSummaryLines(data, "x.jpg"),
      (std::vector<std::string>{"File Name: x.jpg", "Exif Error: Illegally sized directory"}));

  // A tag of the file's list; an empty name or value matches any.
  const auto has = [](const char* file, const MetadataTag& wanted) {
    for (const MetadataTag& tag : ReadExifReport(CameraFile(file)).tags) {
      if (tag.group == wanted.group && (wanted.name.empty() || tag.name == wanted.name) &&
          (wanted.value.empty() || tag.value == wanted.value))
        return true;
    }
    return false;
  };
  EXPECT_TRUE(has("other/Apple_iPhone4_gps.jpg", {"EXIF", "Model", "iPhone 4"}));
  EXPECT_TRUE(has("other/Apple_iPhone4_gps.jpg", {"GPS", "", ""}));
  EXPECT_TRUE(has("canon/Canon_EOS-1D_iptc.jpg", {"IPTC", "", ""}));
  EXPECT_TRUE(ReadExifReport(CameraFile("no/such/file.jpg")).tags.empty());
}

// File sizes round down but never below one.
TEST(RulesTest, SizeAndTimeTextsColumnSelectorsAndThumbnailSizes) {
  EXPECT_EQ(FileSizeText(0), "1 KByte");
  EXPECT_EQ(FileSizeText(2048), "2 KByte");
  EXPECT_EQ(FileSizeText(10'000'000'000), "9765625 KByte");

  // Stored sizes round to the nearest KiB, ties to even.
  const std::pair<uint64_t, uint64_t> cases[] = {{0, 0},    {511, 0},  {512, 0},  {513, 1},
                                                 {1536, 2}, {2560, 2}, {2561, 3}, {3584, 4}};
  for (const auto& [bytes, kib] : cases) EXPECT_EQ(StoredSizeKiB(bytes), kib) << bytes;
  EXPECT_EQ(RoundedSizeText(2560), "2 KByte");
  EXPECT_EQ(PixelSizeText(640, 480, 2), "640 x 480 Pixel (2KB)");

  using std::chrono::milliseconds;
  EXPECT_EQ(FileDurationText(milliseconds(61'250)), "1,250 Sekunden ");
  EXPECT_EQ(ElapsedText(milliseconds(123'040)), "2 Minuten 3,40 Sekunden");
  EXPECT_EQ(ElapsedText(milliseconds(3'600'000 + 61'001)), "1 Minuten 1,1 Sekunden");

  // Grid items and selectors are numbered differently (item 9 is selector 14): a mix-up would
  // write a text into the wrong column.
  const std::pair<int, int32_t> editable[] = {
      {kItemName, 3},      {kItemBeschreibung, 4}, {kItemTextTop, 9},      {kItemTextBottom, 10},
      {kItemTextLeft, 11}, {kItemTextRight, 12},   {kItemSuchbegriffe, 14}};
  for (const auto& [item, selector] : editable) EXPECT_EQ(EditSelectorForItem(item), selector);
  for (int item : {kItemPreview, kItemFile, kItemKey, kItemMark, kItemPath, kItemSize})
    EXPECT_FALSE(EditSelectorForItem(item).has_value()) << item;

  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeFromSettings, 60, 120, 80), 120);
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeGiven, 60, 120, 80), 60);
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeGiven, 0, 120, 80), 80);
  EXPECT_EQ(ResolveThumbnailSize(7, 60, 120, 80), 80);
  EXPECT_EQ(ParseThumbnailSize("10"), 10);
  EXPECT_EQ(ParseThumbnailSize("200"), 200);
  for (const char* bad : {"9", "201", "", "-50", "50px", " 50", "abc"})
    EXPECT_EQ(ParseThumbnailSize(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace vemora
