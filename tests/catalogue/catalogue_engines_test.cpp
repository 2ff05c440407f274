// The dispatcher, the load and the take-over on real engines (SQLite and PostgreSQL): what
// the commands write is what a fresh query reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/catalogue_load.h"
#include "catalogue/dispatcher.h"
#include "catalogue_engine_fixture.h"
#include "codec/preview.h"
#include "gateways/catalogue_rows.h"
#include "host/take_over.h"
#include "support/pictures.h"

namespace vemora {
namespace {

using testing::ColumnValues;

class CatalogueEngineTest : public testing::CatalogueEngineFixture {
 protected:
  int32_t Insert(const std::string& name, const std::string& image, int32_t key = -1,
                 const std::string& preview = "") {
    TRecDSBilder record;
    record.Name = name;
    record.Beschreibung = "Beschreibung von " + name;
    record.File = name + ".jpg";
    record.Path = folder.string() + "/";
    record.Bild = image;
    record.VsBild = preview;
    record.BildCtr2 = key;
    TRecCmdMDB command;
    command.command = kCmdInsert;
    return RunCmdMDB(session, command, record);
  }
};

TEST_P(CatalogueEngineTest, InsertedRowsReadBackWithTheirKeys) {
  const std::string image = std::string("\xFF\xD8\0\0binary\xFF", 11);
  const int32_t first = Insert("Haus", image);
  const int32_t second = Insert("Grüße aus Köln", image);
  const int32_t supplied = Insert("Garten", image, 4711);
  EXPECT_GT(first, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(supplied, 4711);
  EXPECT_EQ(ColumnValues(gateway(), "BildCtr2"),
            (std::vector<std::string>{std::to_string(first), std::to_string(second), "4711"}));
  // The key of an inserted row is its database counter.
  EXPECT_EQ(ColumnValues(gateway(), "BildCtr")[0], std::to_string(first));
  EXPECT_EQ(ColumnValues(gateway(), "Name")[1], "Grüße aus Köln");
  EXPECT_TRUE(ColumnValues(gateway(), "Bild")[2] == image);
  EXPECT_EQ(ColumnValues(gateway(), "File")[0], "Haus.jpg");
}

TEST_P(CatalogueEngineTest, UpdateReplaceAndDeleteChangeOnlyTheirRow) {
  const int32_t keep = Insert("Bleibt", "B1");
  const int32_t key = Insert("Alt", "B2");
  TRecDSBilder record;
  record.Beschreibung = "neue\r\nBeschreibung";
  record.TextTop = "Oben";
  record.Suchbegriffe = "Meer;Strand";
  TRecCmdMDB command;
  command.command = kCmdUpdateColumn;
  command.key = key;
  for (int32_t selector : {kFieldBeschreibung, kFieldTextTop, kFieldSuchbegriffe}) {
    command.selector = selector;
    RunCmdMDB(session, command, record);
  }
  EXPECT_EQ(ColumnValues(gateway(), "Beschreibung")[1], "neue\r\nBeschreibung");
  EXPECT_EQ(ColumnValues(gateway(), "TextTop")[1], "Oben");
  EXPECT_EQ(ColumnValues(gateway(), "Suchbegriffe")[1], "Meer;Strand");
  EXPECT_EQ(ColumnValues(gateway(), "Beschreibung")[0], "Beschreibung von Bleibt");

  record.Bild = "BMneu";
  record.VsBild = std::string("\xFF\0vs", 4);
  record.Name = "Neu";
  record.File = "neu.bmp";
  record.Path = "/anderswo/";
  command.command = kCmdReplaceImage;
  RunCmdMDB(session, command, record);
  EXPECT_EQ(ColumnValues(gateway(), "Bild")[1], "BMneu");
  EXPECT_EQ(ColumnValues(gateway(), "VsBild")[1], record.VsBild);
  EXPECT_EQ(ColumnValues(gateway(), "File")[1], "neu.bmp");
  EXPECT_EQ(ColumnValues(gateway(), "Path")[1], "/anderswo/");

  command.command = kCmdDelete;
  RunCmdMDB(session, command, record);
  EXPECT_EQ(ColumnValues(gateway(), "BildCtr2"), std::vector<std::string>{std::to_string(keep)});
}

TEST_P(CatalogueEngineTest, ExportAndConvertWriteFilesAndWriteBack) {
  const std::string jpeg = testing::TestJpeg(40, 30);
  const int32_t key = Insert("Foto", jpeg);
  TRecCmdMDB command;
  command.command = kCmdExport;
  command.key = key;
  command.folder = folder.string();
  command.fileName = "kopie.jpg";
  EXPECT_EQ(RunCmdMDB(session, command, {}), 0);
  EXPECT_TRUE(ReadFile("kopie.jpg") == jpeg);

  std::string source, destination;
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
}

TEST_P(CatalogueEngineTest, LoadBuildsMissingPreviewsAndRestoresMarks) {
  const std::string jpeg = testing::TestJpeg(300, 200);
  const int32_t withPreview = Insert("mit", jpeg, -1, codec::MakePreviewJpeg(jpeg));
  // Rows as other programs leave them: no preview, no image, bytes of no known kind.
  testing::InsertCatalogueRow(gateway(), "ohne", jpeg, "", 900);
  testing::InsertCatalogueRow(gateway(), "leer", "", "", 901);
  testing::InsertCatalogueRow(gateway(), "png", "\x89PNG\r\n", "", 902);
  testing::InsertCatalogueRow(gateway(), "kaputt", jpeg.substr(0, 40), "", 903);
  std::ofstream(folder / "mit.jpg") << std::string(2048, 'x');

  LoadOptions options;
  options.markedKeys = {"900", "902", "99999", "junk"};
  LoadCatalogue(session, grid, options);

  ASSERT_EQ(grid.records.size(), 5u);
  EXPECT_EQ(session.fileColumn, "FILE");
  EXPECT_EQ(grid.records[0].key, withPreview);
  EXPECT_EQ(grid.records[0].sizeText, "2 KByte");
  EXPECT_EQ(grid.records[0].filePath, folder.string() + "/mit.jpg");
  EXPECT_FALSE(grid.records[0].marked);
  EXPECT_TRUE(grid.records[1].marked);
  EXPECT_TRUE(grid.records[3].marked);
  // The missing preview was built and stored; the others could not be.
  EXPECT_TRUE(grid.records[1].preview.starts_with("\xFF\xD8"));
  EXPECT_TRUE(ColumnValues(gateway(), "VsBild")[1] == grid.records[1].preview);
  EXPECT_TRUE(grid.records[3].preview.empty());
  EXPECT_TRUE(grid.records[4].preview.empty());
  EXPECT_EQ(prompter.steps, 5);
  EXPECT_EQ(prompter.lastMaximum, 5);
}

TEST_P(CatalogueEngineTest, TakeOverPairsQueryRowsWithGridRecords) {
  const int32_t a = Insert("a", "Ia");
  const int32_t b = Insert("b", "Ib");
  const int32_t c = Insert("c", "Ic");
  EXPECT_EQ(CollectMarkedKeys(gateway(), {true, false, true}), (std::vector<int32_t>{a, c}));
  EXPECT_TRUE(CollectMarkedKeys(gateway(), {false, false, false}).empty());
  EXPECT_EQ(FindKeyByFileName(gateway(), "b.jpg", 0), b);
  EXPECT_EQ(FindKeyByFileName(gateway(), "B.JPG", 17), 17);  // exact match only
  // Two rows with one file name: the last one wins.
  const int32_t again = Insert("b", "Ib2");
  EXPECT_EQ(FindKeyByFileName(gateway(), "b.jpg", 0), again);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(CatalogueEngineTest);

}  // namespace
}  // namespace vemora
