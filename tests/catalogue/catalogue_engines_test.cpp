// The dispatcher, the preview column, the load, the focused record and the take-over on real
// engines (SQLite and PostgreSQL): what the commands write is what a fresh query reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <tuple>

#include "catalogue/catalogue_load.h"
#include "catalogue/dispatcher.h"
#include "catalogue/focused_record.h"
#include "catalogue/preview_feed.h"
#include "catalogue/size_text.h"
#include "catalogue/stored_picture.h"
#include "catalogue_engine_fixture.h"
#include "codec/preview.h"
#include "gateways/catalogue_rows.h"
#include "host/take_over.h"
#include "platform/paths.h"
#include "support/pictures.h"

namespace vemora {
namespace {

using testing::ColumnValues;
using testing::InsertCatalogueRow;

// Every field set, each to a value that no other field and no row of Insert() has.
const TRecDSBilder kEveryField{.ProjektNr = 7,
                               .Bild = std::string("\xFF\xD8\0\0binary\xFF", 11),
                               .Name = "Grüße aus Köln",
                               .Beschreibung = "zwei\r\nZeilen",
                               .Typ = "typ",
                               .File = "haus.jpg",
                               .Path = "/bilder/",
                               .FilePath = "fp",
                               .TextTop = "oben",
                               .TextBottom = "unten",
                               .TextLeft = "links",
                               .TextRight = "rechts",
                               .Suchbegriffe = "Haus;Garten",
                               .VsBild = std::string("\0vs", 3)};

// The hosts' selector numbers, the columns they name and the column's value in kEveryField: a
// mix-up writes into the wrong column.
const std::tuple<int32_t, const char*, std::string> kColumns[] = {
    {1, "ProjektNr", "7"},
    {2, "Bild", kEveryField.Bild},
    {3, "Name", kEveryField.Name},
    {4, "Beschreibung", kEveryField.Beschreibung},
    {5, "Typ", "typ"},
    {6, "File", "haus.jpg"},
    {7, "Path", "/bilder/"},
    {8, "FilePath", "fp"},
    {9, "TextTop", "oben"},
    {10, "TextBottom", "unten"},
    {11, "TextLeft", "links"},
    {12, "TextRight", "rechts"},
    {14, "Suchbegriffe", "Haus;Garten"},
    {15, "VsBild", kEveryField.VsBild}};

class CatalogueEngineTest : public testing::CatalogueEngineFixture {
 protected:
  int32_t Run(int32_t code, const TRecDSBilder& record, int32_t key = 0, int32_t selector = 0) {
    TRecCmdMDB command;
    command.command = code;
    command.key = key;
    command.selector = selector;
    return RunCmdMDB(session, command, record);
  }
  int32_t Insert(const std::string& name, const std::string& image,
                 const std::string& preview = "") {
    TRecDSBilder record;
    record.Name = name;
    record.File = name + ".jpg";
    record.Path = folder.string() + "/";
    record.Bild = image;
    record.VsBild = preview;
    return Run(kCmdInsert, record);
  }
  void EnsurePreviewColumn() { Run(kCmdEnsurePreviewColumn, {}, 0, kFieldVsBild); }
};

TEST_P(CatalogueEngineTest, InsertWritesEveryFieldAndKeysTheRowByItsCounter) {
  TRecDSBilder record = kEveryField;
  const int32_t first = Run(kCmdInsert, record);
  const int32_t second = Run(kCmdInsert, record);
  record.BildCtr2 = 4711;
  EXPECT_EQ(Run(kCmdInsert, record), 4711);
  EXPECT_GT(first, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(ColumnValues(gateway(), "BildCtr2"),
            (std::vector<std::string>{std::to_string(first), std::to_string(second), "4711"}));
  EXPECT_EQ(ColumnValues(gateway(), "BildCtr")[1], std::to_string(second));
  for (const auto& [selector, column, value] : kColumns)
    EXPECT_TRUE(ColumnValues(gateway(), column)[0] == value) << column;
}

TEST_P(CatalogueEngineTest, UpdateColumnWritesTheSelectedColumnOfItsRowOnly) {
  Insert("anderes", "B0");
  const int32_t key = Insert("alt", "B1");
  for (const auto& [selector, column, value] : kColumns) {
    EXPECT_EQ(Run(kCmdUpdateColumn, kEveryField, key, selector), 0);
    EXPECT_TRUE(ColumnValues(gateway(), column)[1] == value) << column;
  }
  EXPECT_EQ(ColumnValues(gateway(), "Name")[0], "anderes");
  EXPECT_EQ(ColumnValues(gateway(), "Bild")[0], "B0");
}

// Hosts that log or replay statements see the catalogue's own wording, word for word.
TEST_P(CatalogueEngineTest, CommandsSendTheirStatementsWordForWord) {
  TRecDSBilder record = kEveryField;
  record.Bild = testing::TestJpeg(8, 8);  // the conversion needs a real picture
  failing->statements.clear();
  const int32_t key = Run(kCmdInsert, record);
  const std::string k = std::to_string(key);
  Run(kCmdUpdateColumn, record, key, 3);
  Run(kCmdReplaceImage, record, key);
  TRecCmdMDB command;
  command.command = kCmdExport;
  command.key = key;
  command.folder = folder.string();
  RunCmdMDB(session, command, {});
  command.command = kCmdConvert;
  command.convert.key = key;
  command.convert.targetFormat = kConvertToBmp;
  command.convert.writeBack = true;
  command.convert.targetFolder = folder.string();
  RunCmdMDB(session, command, {});
  Run(kCmdDelete, {}, key);

  ASSERT_EQ(failing->statements.size(), 9u);
  const std::string& insert = failing->statements[0];
  EXPECT_EQ(insert,
            "INSERT INTO [Bilder] (Name, Beschreibung, TextTop, TextLeft, TextRight, TextBottom, "
            "Path, [File], Suchbegriffe, Bild, VsBild, ProjektNr, Typ, FilePath, BildCtr2) values "
            "(:Name, :Beschreibung, :TextTop, :TextLeft, :TextRight, :TextBottom, :Path, :File, "
            ":Suchbegriffe, :Bild, :VsBild,:ProjektNr,:Typ,:FilePath, :BildCtr2)");
  EXPECT_TRUE(failing->statements[1].starts_with("SELECT BildCtr FROM Bilder WHERE BildCtr2 = -"));
  EXPECT_EQ(failing->statements[2], "UPDATE Bilder SET BildCtr2 = " + k + " WHERE BildCtr = " + k);
  const std::vector<std::string> rest(failing->statements.begin() + 3, failing->statements.end());
  EXPECT_EQ(rest, (std::vector<std::string>{
                      "UPDATE Bilder SET Name=:p1 WHERE BildCtr2=:p2",
                      " UPDATE Bilder SET VsBild=:p1,Bild=:p2,Name=:p3,[File]=:p4,Path=:p5 WHERE "
                      "BildCtr2=:p6",
                      "SELECT Bild,[File] FROM Bilder WHERE BildCtr2=" + k,
                      "SELECT Bild,[File] FROM Bilder WHERE BildCtr2=" + k,
                      "UPDATE Bilder SET Bild=:p1, File=:p2 WHERE BildCtr2=:p3",
                      "DELETE FROM Bilder WHERE BildCtr2 = " + k,
                  }));
}

TEST_P(CatalogueEngineTest, DeleteTakesOnlyItsRowAndOtherCommandsSendNothing) {
  const int32_t keep = Insert("bleibt", "B0");
  const int32_t key = Insert("weg", "B1");
  failing->FailOnStatement(1);  // any statement would fail now
  EXPECT_EQ(Run(kCmdNothing, kEveryField, key), 0);
  EXPECT_EQ(Run(99, kEveryField, key), 0);
  for (int32_t selector : {0, 13, 16, -1}) Run(kCmdUpdateColumn, kEveryField, key, selector);
  failing->FailOnStatement(0);
  EXPECT_EQ(Run(kCmdDelete, {}, key), 0);
  EXPECT_EQ(ColumnValues(gateway(), "BildCtr2"), std::vector<std::string>{std::to_string(keep)});
}

TEST_P(CatalogueEngineTest, ExportWritesTheStoredBytesAndFallsBack) {
  const std::string jpeg = testing::TestJpeg(40, 30);
  const int32_t key = Insert("Foto", jpeg);
  std::filesystem::create_directories(folder / "ziel");
  TRecCmdMDB command;
  command.command = kCmdExport;
  command.key = key;
  command.folder = (folder / "ziel").string();
  command.fileName = "kopie.jpg";
  EXPECT_EQ(RunCmdMDB(session, command, {}), 0);
  EXPECT_TRUE(ReadFile("ziel/kopie.jpg") == jpeg);

  // No name: the stored one, else tmpFile1; a missing folder: the image folder.
  command.fileName = "";
  command.folder = (folder / "fehlt").string();
  EXPECT_EQ(RunCmdMDB(session, command, {}), 1);
  EXPECT_TRUE(ReadFile("Foto.jpg") == jpeg);
  gateway().ExecSQL("UPDATE Bilder SET File = '' WHERE BildCtr2 = " + std::to_string(key), 4);
  command.folder = (folder / "ziel").string();
  EXPECT_EQ(RunCmdMDB(session, command, {}), 1);
  EXPECT_TRUE(ReadFile("ziel/tmpFile1") == jpeg);
}

TEST_P(CatalogueEngineTest, ConversionWritesBackOnlyWhatItCouldConvert) {
  const std::string jpeg = testing::TestJpeg(40, 30);
  const std::string unknown = "\x89PNG\r\n";
  const int32_t key = Insert("Foto", jpeg);
  const int32_t unknownKey = Insert("Grafik", unknown);
  std::string source, destination;
  TRecCmdMDB command;
  command.command = kCmdConvert;
  command.convert.key = key;
  command.convert.targetFormat = kConvertToBmp;
  command.convert.writeBack = true;
  command.convert.targetFolder = folder.string();
  command.convert.sourceStream = &source;
  command.convert.destinationStream = &destination;
  EXPECT_EQ(RunCmdMDB(session, command, {}), 1);
  EXPECT_TRUE(source == jpeg);
  ASSERT_TRUE(destination.starts_with("BM"));
  EXPECT_TRUE(ReadFile("Foto.BMP") == destination);
  EXPECT_TRUE(ColumnValues(gateway(), "Bild")[0] == destination);
  EXPECT_EQ(ColumnValues(gateway(), "File")[0], "Foto.BMP");

  // Bytes of no known kind go out as they are, under their stored name, and the stored
  // image is never replaced by nothing.
  std::filesystem::create_directories(folder / "ziel");
  command.convert.key = unknownKey;
  command.convert.targetFormat = kConvertToJpeg;
  command.convert.targetFolder = (folder / "ziel").string();
  EXPECT_EQ(RunCmdMDB(session, command, {}), 1);
  EXPECT_EQ(ReadFile("ziel/Grafik.jpg"), unknown);
  EXPECT_EQ(ColumnValues(gateway(), "Bild")[1], unknown);
  EXPECT_EQ(ColumnValues(gateway(), "File")[1], "Grafik.jpg");

  // Unchanged: the stored bytes under the stored name.
  command.convert.targetFormat = kConvertUnchanged;
  EXPECT_EQ(RunCmdMDB(session, command, {}), 0);
  EXPECT_EQ(ReadFile("ziel/Grafik.jpg"), unknown);
  EXPECT_EQ(destination, "");
}

TEST_P(CatalogueEngineTest, PreviewColumnIsLeftAloneOrAddedAndFilled) {
  Insert("foto", testing::TestJpeg(300, 200));
  Insert("fremd", "\x89PNG\r\n");
  Insert("leer", "");
  // Present: nothing to do, and other selectors do not even look.
  failing->FailOnStatement(1);  // so a rebuild would fail
  Run(kCmdEnsurePreviewColumn, {}, 0, kFieldSuchbegriffe);
  EXPECT_FALSE(session.previewColumnAvailable);
  EnsurePreviewColumn();
  EXPECT_TRUE(session.previewColumnAvailable);
  EXPECT_TRUE(session.previewColumnWasPresent);

  gateway().ExecSQL("ALTER TABLE Bilder DROP COLUMN VsBild", 4);
  failing->FailOnStatement(1);  // adding the column
  EnsurePreviewColumn();
  EXPECT_FALSE(session.previewColumnAvailable);
  EXPECT_EQ(prompter.shown,
            (std::vector<std::string>{"Es trat ein Fehler beim Initialisieren der Datenbank auf "
                                      "(Bilder.VsBild).",
                                      "Vorschaubild kann nicht hinzugefügt werden!"}));

  prompter.shown.clear();
  EnsurePreviewColumn();
  EXPECT_TRUE(session.previewColumnAvailable);
  EXPECT_FALSE(session.previewColumnWasPresent);
  const auto previews = ColumnValues(gateway(), "VsBild");
  ASSERT_EQ(previews.size(), 3u);
  EXPECT_TRUE(previews[0].starts_with("\xFF\xD8"));
  EXPECT_EQ(previews[1], "");
  EXPECT_EQ(previews[2], "");
  EXPECT_EQ(prompter.shown, std::vector<std::string>{"Alle Vorschaubilder werden erzeugt..."});
  EXPECT_EQ(prompter.lastMaximum, 3);
  EXPECT_EQ(prompter.steps, 3);

  // A rebuild that fails on the second row stops there and keeps the first row's preview.
  gateway().ExecSQL("ALTER TABLE Bilder DROP COLUMN VsBild", 4);
  prompter.steps = 0;
  failing->FailOnStatement(4);  // add, query, first row, second row
  EXPECT_THROW(EnsurePreviewColumn(), TDBError);
  EXPECT_EQ(prompter.steps, 1);
  EXPECT_TRUE(ColumnValues(gateway(), "VsBild")[0].starts_with("\xFF\xD8"));
}

TEST_P(CatalogueEngineTest, FocusShowsTheStoredImageAndKeepsItWhenTheRowIsGone) {
  const std::string big = testing::TestJpeg(300, 200);
  InsertCatalogueRow(gateway(), "gross", big, codec::MakePreviewJpeg(big), 10);
  InsertCatalogueRow(gateway(), "fehlt", "", "", 11);
  InsertCatalogueRow(gateway(), "klein", testing::TestJpeg(40, 30), "", 12);
  session.imageFolder = "/bilder";
  LoadCatalogue(session, grid, LoadOptions{});
  SingleImageState state;
  std::string selectedFileName = "vorher.jpg";
  auto focus = [&](int index, bool fileNamesOnly = false) {
    grid.focused = index;
    return ShowFocusedRecord(gateway(), grid, state, selectedFileName, fileNamesOnly);
  };
  EXPECT_EQ(focus(-1).kind, FocusedRecordView::Kind::None);

  FocusedRecordView view = focus(0);
  ASSERT_EQ(view.kind, FocusedRecordView::Kind::Picture);
  ASSERT_TRUE(view.imageBytes.has_value());
  EXPECT_TRUE(*view.imageBytes == big);
  EXPECT_EQ(view.sizeText, PixelSizeText(300, 200, StoredSizeKiB(big.size())));
  EXPECT_EQ(focus(0, true).fileText, "gross.jpg");

  // No image: the missing-image panel; the chosen file name stays.
  EXPECT_EQ(focus(1).kind, FocusedRecordView::Kind::MissingImage);
  EXPECT_EQ(selectedFileName, "gross.jpg");

  // Its preview was built during the load, so the small one shows as a picture.
  view = focus(2);
  EXPECT_EQ(view.kind, FocusedRecordView::Kind::Picture);
  EXPECT_EQ(view.sizeText.substr(0, 14), "40 x 30 Pixel ");

  // A key that finds no row leaves the picture (and its size) as it was.
  gateway().ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 10", 4);
  view = focus(0);
  EXPECT_FALSE(view.imageBytes.has_value());
  EXPECT_EQ(view.sizeText.substr(0, 14), "40 x 30 Pixel ");
}

TEST_P(CatalogueEngineTest, DamagedImageIsReportedAndEveryRowStillShows) {
  const std::string good = testing::TestJpeg(60, 40);
  const std::string damaged = good.substr(0, 20);  // the header cut short
  InsertCatalogueRow(gateway(), "erstes", good, "", 1);
  InsertCatalogueRow(gateway(), "kaputt", damaged, "", 2);
  InsertCatalogueRow(gateway(), "drittes", good, "", 3);
  // A catalogue older than its preview column: the rebuild of all previews stops at the
  // damaged row, the load reports it and builds the rest row by row.
  gateway().ExecSQL("ALTER TABLE Bilder DROP COLUMN VsBild", 4);
  session.imageFolder = "/bilder";
  LoadCatalogue(session, grid, LoadOptions{});
  ASSERT_EQ(grid.Count(), 3);
  EXPECT_FALSE(grid.Record(0).preview.empty());
  EXPECT_TRUE(grid.Record(1).preview.empty());
  EXPECT_FALSE(grid.Record(2).preview.empty());
  const std::string report = "Das Bild konnte nicht gelesen werden: kaputt.jpg: JPEG";
  EXPECT_EQ(std::count_if(prompter.shown.begin(), prompter.shown.end(),
                          [&](const std::string& text) { return text.starts_with(report); }),
            1);

  // Damaged bytes behind a good preview: focusing them reports the damage and shows no
  // size, never the size of the record focused before.
  gateway().ExecSQLParams("UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2",
                          {AsBlobParam(grid.Record(0).preview), TDBValue::Integer(2)}, 1, 4);
  LoadCatalogue(session, grid, LoadOptions{});
  SingleImageState state;
  std::string selectedFileName;
  grid.focused = 0;
  FocusedRecordView view = ShowFocusedRecord(gateway(), grid, state, selectedFileName, false);
  EXPECT_EQ(view.pictureError, "");
  EXPECT_EQ(DecodeStoredPicture(*view.imageBytes, 100).error, "");
  grid.focused = 1;
  view = ShowFocusedRecord(gateway(), grid, state, selectedFileName, false);
  ASSERT_EQ(view.kind, FocusedRecordView::Kind::Picture);
  EXPECT_TRUE(view.pictureError.starts_with("Das Bild konnte nicht gelesen werden: JPEG"));
  EXPECT_TRUE(view.sizeText.starts_with("? x ? Pixel"));
  const StoredPicture picture = DecodeStoredPicture(*view.imageBytes, 100);
  EXPECT_TRUE(picture.image.empty());
  EXPECT_TRUE(picture.error.starts_with("Das Bild konnte nicht gelesen werden: JPEG"));
}

TEST_P(CatalogueEngineTest, LoadFindsTheFileNameColumnOrStopsWithTheDatabaseError) {
  // Both rows carry previews, so the load writes nothing and the row order stays put.
  InsertCatalogueRow(gateway(), "ohne Bild", "", "\xFF\xD8", 1);
  InsertCatalogueRow(gateway(), "mit Bild", "\xFF\xD8\xFF", "\xFF\xD8", 2);
  gateway().ExecSQL("ALTER TABLE Bilder RENAME COLUMN File TO XFile", 4);
  session.imageFolder = "/bilder";
  LoadCatalogue(session, grid, LoadOptions{});
  EXPECT_EQ(session.fileColumn, "XFile");
  ASSERT_EQ(grid.Count(), 2);
  EXPECT_EQ(grid.Record(0).filePath, std::nullopt);
  EXPECT_EQ(grid.Record(1).filePath,
            std::string("/bilder") + platform::kPathSeparator + "mit Bild.jpg");
  // Adding afterwards writes the file name into the column the load settled on.
  TRecDSBilder record;
  record.File = "neu.jpg";
  Run(kCmdInsert, record);
  EXPECT_EQ(ColumnValues(gateway(), "XFile")[2], "neu.jpg");
  gateway().ExecSQL("DELETE FROM Bilder WHERE XFile = 'neu.jpg'", 4);

  // Without either column the first row with image bytes fails; the rows before it stay.
  gateway().ExecSQL("ALTER TABLE Bilder RENAME COLUMN XFile TO Datei", 4);
  EXPECT_THROW(LoadCatalogue(session, grid, LoadOptions{}), TDBError);
  EXPECT_EQ(grid.Count(), 1);
  EXPECT_EQ(grid.Record(0).name, "ohne Bild");
}

TEST_P(CatalogueEngineTest, TakeOverPairsQueryRowsWithGridRecords) {
  const int32_t a = Insert("a", "Ia");
  const int32_t b = Insert("b", "Ib");
  const int32_t c = Insert("c", "Ic");
  EXPECT_EQ(CollectMarkedKeys(gateway(), {true, false, true}), (std::vector<int32_t>{a, c}));
  EXPECT_EQ(FindKeyByFileName(gateway(), "b.jpg", 0), b);
  EXPECT_EQ(FindKeyByFileName(gateway(), "B.JPG", 17), 17);  // exact match only
  // Two rows with one file name: the last one wins.
  const int32_t again = Insert("b", "Ib2");
  EXPECT_EQ(FindKeyByFileName(gateway(), "b.jpg", 0), again);
}

TEST_P(CatalogueEngineTest, PreviewsReadApartReachTheRecordsStillWaitingForThem) {
  session.gateway = &gateway();  // the failing wrapper would hide what the gateway offers
  EnsurePreviewColumn();
  Insert("a", "",
         "\xFF\xD8"
         "a");
  Insert("b", "",
         "\xFF\xD8"
         "b");
  const int32_t gone = Insert("c", "",
                              "\xFF\xD8"
                              "c");
  const int32_t replaced = Insert("d", "",
                                  "\xFF\xD8"
                                  "d");
  const int32_t built = Insert("ohne", testing::TestJpeg(300, 200));
  LoadOptions options;
  options.previewsApart = true;
  LoadCatalogue(session, grid, options);

  // Stored previews wait where the engine can send them apart; a missing one is built at once.
  ASSERT_EQ(grid.Count(), 5);
  auto* apart = dynamic_cast<TDBColumnApart*>(&gateway());
  EXPECT_EQ(apart != nullptr, IsPostgres());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(grid.Record(i).previewPending, apart != nullptr) << i;
    EXPECT_TRUE(grid.Record(i).HasPreview()) << i;
  }
  EXPECT_FALSE(grid.Record(4).previewPending);
  EXPECT_TRUE(grid.Record(4).preview.starts_with("\xFF\xD8\xFF"));
  if (apart == nullptr) {
    EXPECT_EQ(grid.Record(1).preview,
              "\xFF\xD8"
              "b");
    return;
  }

  // Meanwhile one row goes, two get a new preview, and the grid drops record "b".
  gateway().ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = " + std::to_string(gone), 4);
  for (const int32_t key : {replaced, built}) {
    gateway().ExecSQLParams("UPDATE Bilder SET VsBild = :p1 WHERE BildCtr2 = :p2",
                            {AsBlobParam("\xFF\xD8"
                                         "neu"),
                             TDBValue::Integer(key)},
                            1, 4);
  }
  grid.Remove(1);
  std::atomic<int> told{0};
  std::unique_ptr<PreviewFeed> feed = PreviewFeed::Start(gateway(), 4, [&] { ++told; });
  ASSERT_NE(feed, nullptr);
  feed->Wait();
  std::vector<ArrivedPreview> arrived = feed->Take();
  EXPECT_TRUE(feed->Ended());
  EXPECT_EQ(feed->Error(), "");
  EXPECT_GE(told, 1);
  EXPECT_EQ(arrived.size(), 4u);  // every row with a preview now, "ohne" included
  grid.FillPendingPreviews(arrived);
  grid.EndPendingPreviews();
  ASSERT_EQ(grid.Count(), 4);
  EXPECT_EQ(grid.Record(0).preview,
            "\xFF\xD8"
            "a");
  EXPECT_FALSE(grid.Record(1).HasPreview());  // its row went before its preview came
  EXPECT_EQ(grid.Record(2).preview,
            "\xFF\xD8"
            "neu");
  EXPECT_TRUE(grid.Record(3).preview.starts_with("\xFF\xD8\xFF"));  // not waiting: kept
  for (const GridRecord& record : grid.records()) EXPECT_FALSE(record.previewPending);

  // A feed that cannot read says why and ends.
  gateway().ExecSQL("ALTER TABLE Bilder RENAME TO Weg", 4);
  feed = PreviewFeed::Start(gateway(), 0, [] {});
  feed->Wait();
  EXPECT_TRUE(feed->Take().empty());
  EXPECT_TRUE(feed->Ended());
  EXPECT_NE(feed->Error(), "");
}

TEST_P(CatalogueEngineTest, LargeCatalogueLoadsEveryRowInQueryOrder) {
  // 100,000 cheap rows written by the engine itself; keys fall while the rows are written,
  // so a load that ordered by key (or anything but the query) shows.
  constexpr int kRows = 100000;
  gateway().ExecSQLParams(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
          std::to_string(kRows) +
          ") INSERT INTO Bilder (Name, Suchbegriffe, VsBild, BildCtr2) "
          "SELECT 'Bild ' || i, 'Wort', :VsBild, " +
          std::to_string(kRows + 1) + " - i FROM n",
      {AsBlobParam("\xFF\xD8")}, 1, 4);
  // As the window loads: previews apart where the engine can, matched to their records.
  session.gateway = &gateway();
  LoadOptions options;
  options.markedKeys = {"1", std::to_string(kRows)};
  options.previewsApart = true;
  LoadCatalogue(session, grid, options);
  if (std::unique_ptr<PreviewFeed> feed = PreviewFeed::Start(gateway(), kRows, [] {})) {
    feed->Wait();
    std::vector<ArrivedPreview> arrived = feed->Take();
    EXPECT_EQ(arrived.size(), static_cast<size_t>(kRows));
    grid.FillPendingPreviews(arrived);
  }

  ASSERT_EQ(grid.Count(), kRows);
  EXPECT_EQ(prompter.steps, kRows);
  EXPECT_EQ(prompter.lastMaximum, kRows);
  const std::vector<std::string> names = ColumnValues(gateway(), "Name");
  const std::vector<std::string> keys = ColumnValues(gateway(), "BildCtr2");
  ASSERT_EQ(names.size(), static_cast<size_t>(kRows));
  int mismatches = 0;
  for (int i = 0; i < kRows; ++i) {
    const GridRecord& record = grid.Record(i);
    const auto row = static_cast<size_t>(i);
    if (record.name != names[row] || std::to_string(record.key) != keys[row] ||
        record.preview != "\xFF\xD8" || record.previewPending || record.suchbegriffe != "Wort" ||
        record.filePath)
      ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(grid.Record(0).name, "Bild 1");
  EXPECT_EQ(grid.Record(kRows - 1).key, 1);
  EXPECT_EQ(grid.MarkedNames(), (std::vector<std::string>{"Bild 1", "Bild 100000"}));
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(CatalogueEngineTest);

}  // namespace
}  // namespace vemora
