// The dispatcher against a recording gateway: the exact statements and values each
// command sends, and what it makes of the answers.
#include "catalogue/dispatcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "recording_gateway.h"
#include "scripted_prompter.h"

namespace vemora {
namespace {

using testing::RecordingGateway;
using testing::ScriptedPrompter;

class DispatcherTest : public ::testing::Test {
 protected:
  DispatcherTest() {
    session.gateway = &gateway;
    session.prompter = &prompter;
    record.Name = "Haus";
    record.Beschreibung = "Beschreibung";
    record.TextTop = "oben";
    record.TextBottom = "unten";
    record.TextLeft = "links";
    record.TextRight = "rechts";
    record.Path = "/bilder/";
    record.File = "haus.jpg";
    record.FilePath = "";
    record.Suchbegriffe = "Haus;Garten";
    record.Bild = std::string("\xFF\xD8\0\x01", 4);
    record.VsBild = "preview";
    record.ProjektNr = 0;
  }

  int32_t Run(int32_t code, int32_t key = 0, int32_t selector = 0) {
    TRecCmdMDB command;
    command.command = code;
    command.key = key;
    command.selector = selector;
    return RunCmdMDB(session, command, record);
  }

  RecordingGateway gateway;
  ScriptedPrompter prompter;
  CatalogueSession session;
  TRecDSBilder record;
};

TEST_F(DispatcherTest, InsertSendsFifteenValuesThenFixesTheKeyFromTheCounter) {
  gateway.scriptedResults.push_back({{{"BildCtr", "42"}}});
  EXPECT_EQ(Run(kCmdInsert), 42);

  ASSERT_EQ(gateway.calls.size(), 3u);
  EXPECT_EQ(gateway.calls[0].operation, "ExecSQLParams");
  EXPECT_EQ(gateway.calls[0].sql,
            "INSERT INTO [Bilder] (Name, Beschreibung, TextTop, TextLeft, TextRight, TextBottom, "
            "Path, [File], Suchbegriffe, Bild, VsBild, ProjektNr, Typ, FilePath, BildCtr2) values "
            "(:Name, :Beschreibung, :TextTop, :TextLeft, :TextRight, :TextBottom, :Path, :File, "
            ":Suchbegriffe, :Bild, :VsBild,:ProjektNr,:Typ,:FilePath, :BildCtr2)");
  const auto& values = gateway.calls[0].values;
  ASSERT_EQ(values.size(), 15u);
  const std::vector<std::string> texts = {"Haus",     "Beschreibung", "oben",
                                          "links",    "rechts",       "unten",
                                          "/bilder/", "haus.jpg",     "Haus;Garten"};
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(values[i].kind(), TDBValue::Kind::Text) << i;
    EXPECT_EQ(values[i].text(), texts[i]) << i;
  }
  EXPECT_TRUE(values[9].IsBlob());
  EXPECT_EQ(values[9].BlobBytes(), record.Bild);
  EXPECT_EQ(values[10].text(), "ISABLOBANSIMARKERpreview");
  EXPECT_EQ(values[11], TDBValue::Integer(0));
  EXPECT_EQ(values[12], TDBValue::Text(""));
  EXPECT_EQ(values[13], TDBValue::Text(""));
  ASSERT_EQ(values[14].kind(), TDBValue::Kind::Integer);

  // The provisional key is what the lookup asks for, and it can never be a real key.
  const int32_t provisional = values[14].integer();
  EXPECT_LT(provisional, 0);
  EXPECT_EQ(gateway.calls[1].operation, "OpenSQL");
  EXPECT_EQ(gateway.calls[1].sql,
            "SELECT BildCtr FROM Bilder WHERE BildCtr2 = " + std::to_string(provisional));
  EXPECT_TRUE(gateway.openedResults[0]->closed);
  EXPECT_EQ(gateway.calls[2].operation, "ExecSQL");
  EXPECT_EQ(gateway.calls[2].sql, "UPDATE Bilder SET BildCtr2 = 42 WHERE BildCtr = 42");
}

TEST_F(DispatcherTest, InsertNamesTheSettledFileColumn) {
  for (const std::string column : {"XFile", "FILE"}) {
    gateway.calls.clear();
    session.fileColumn = column;
    gateway.scriptedResults.push_back({{{"BildCtr", "1"}}});
    Run(kCmdInsert);
    const std::string& sql = gateway.calls[0].sql;
    EXPECT_NE(sql.find("Path, [" + column + "], Suchbegriffe"), std::string::npos) << sql;
    EXPECT_NE(sql.find(":Path, :" + column + ", :Suchbegriffe"), std::string::npos) << sql;
  }
}

TEST_F(DispatcherTest, ProvisionalKeysDiffer) {
  std::set<int32_t> keys;
  for (int i = 0; i < 50; ++i) {
    gateway.scriptedResults.push_back({{{"BildCtr", "1"}}});
    Run(kCmdInsert);
    keys.insert(gateway.calls[gateway.calls.size() - 3].values[14].integer());
  }
  EXPECT_EQ(keys.size(), 50u);
}

TEST_F(DispatcherTest, InsertWhoseRowCannotBeFoundAgainTakesItOutAgain) {
  EXPECT_THROW(Run(kCmdInsert), TDBError);
  ASSERT_EQ(gateway.calls.size(), 3u);  // no UPDATE ... WHERE BildCtr = <garbage>
  const int32_t provisional = gateway.calls[0].values[14].integer();
  EXPECT_EQ(gateway.calls[2].sql,
            "DELETE FROM Bilder WHERE BildCtr2 = " + std::to_string(provisional));
}

TEST_F(DispatcherTest, DeleteAndNothing) {
  EXPECT_EQ(Run(kCmdDelete, 1234), 0);
  EXPECT_EQ(Run(kCmdNothing, 1234), 0);
  EXPECT_EQ(Run(99, 1234), 0);
  ASSERT_EQ(gateway.calls.size(), 1u);
  EXPECT_EQ(gateway.calls[0].operation, "ExecSQL");
  EXPECT_EQ(gateway.calls[0].sql, "DELETE FROM Bilder WHERE BildCtr2 = 1234");
}

TEST_F(DispatcherTest, UpdateColumnBySelector) {
  struct Case {
    int32_t selector;
    const char* column;
    TDBValue value;
  };
  record.ProjektNr = 5;
  record.Typ = "typ";
  record.FilePath = "fp";
  const std::vector<Case> cases = {
      {1, "ProjektNr", TDBValue::Integer(5)},
      {2, "Bild", AsBlobParam(record.Bild)},
      {3, "Name", TDBValue::Text("Haus")},
      {4, "Beschreibung", TDBValue::Text("Beschreibung")},
      {5, "Typ", TDBValue::Text("typ")},
      {6, "File", TDBValue::Text("haus.jpg")},
      {7, "Path", TDBValue::Text("/bilder/")},
      {8, "FilePath", TDBValue::Text("fp")},
      {9, "TextTop", TDBValue::Text("oben")},
      {10, "TextBottom", TDBValue::Text("unten")},
      {11, "TextLeft", TDBValue::Text("links")},
      {12, "TextRight", TDBValue::Text("rechts")},
      {14, "Suchbegriffe", TDBValue::Text("Haus;Garten")},
      {15, "VsBild", AsBlobParam("preview")},
  };
  for (const Case& c : cases) {
    gateway.calls.clear();
    EXPECT_EQ(Run(kCmdUpdateColumn, 77, c.selector), 0);
    ASSERT_EQ(gateway.calls.size(), 1u) << c.selector;
    EXPECT_EQ(gateway.calls[0].sql,
              std::string("UPDATE Bilder SET ") + c.column + "=:p1 WHERE BildCtr2=:p2");
    EXPECT_EQ(gateway.calls[0].values, (std::vector<TDBValue>{c.value, TDBValue::Integer(77)}));
  }
  gateway.calls.clear();
  for (int32_t selector : {0, 13, 16, -1}) Run(kCmdUpdateColumn, 77, selector);
  EXPECT_TRUE(gateway.calls.empty());
}

TEST_F(DispatcherTest, ReplaceImage) {
  EXPECT_EQ(Run(kCmdReplaceImage, 9), 0);
  ASSERT_EQ(gateway.calls.size(), 1u);
  EXPECT_EQ(gateway.calls[0].sql,
            " UPDATE Bilder SET VsBild=:p1,Bild=:p2,Name=:p3,[File]=:p4,Path=:p5 WHERE "
            "BildCtr2=:p6");
  EXPECT_EQ(gateway.calls[0].values,
            (std::vector<TDBValue>{AsBlobParam("preview"), AsBlobParam(record.Bild),
                                   TDBValue::Text("Haus"), TDBValue::Text("haus.jpg"),
                                   TDBValue::Text("/bilder/"), TDBValue::Integer(9)}));
}

class ExportTest : public DispatcherTest {
 protected:
  ExportTest() {
    root = std::filesystem::temp_directory_path() /
           ("vemora_export_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "images");
    std::filesystem::create_directories(root / "target");
    session.imageFolder = (root / "images").string();
  }
  ~ExportTest() override { std::filesystem::remove_all(root); }

  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  int32_t Export(const std::string& folder, const std::string& fileName, std::string storedName) {
    gateway.scriptedResults.push_back({{{"Bild", "BMbytes"}, {"File", std::move(storedName)}}});
    TRecCmdMDB command;
    command.command = kCmdExport;
    command.key = 5;
    command.folder = folder;
    command.fileName = fileName;
    return RunCmdMDB(session, command, record);
  }

  std::filesystem::path root;
};

TEST_F(ExportTest, WritesUnderTheGivenNameIntoAnExistingFolder) {
  EXPECT_EQ(Export((root / "target").string(), "neu.bmp", "alt.bmp"), 0);
  EXPECT_EQ(gateway.calls[0].sql, "SELECT Bild,[File] FROM Bilder WHERE BildCtr2=5");
  EXPECT_EQ(Read(root / "target" / "neu.bmp"), "BMbytes");
  EXPECT_TRUE(gateway.openedResults[0]->closed);
}

TEST_F(ExportTest, FallsBackToTheImageFolderTheStoredNameOrTmpFile1) {
  EXPECT_EQ(Export((root / "missing").string(), "", "alt.bmp"), 1);
  EXPECT_EQ(Read(root / "images" / "alt.bmp"), "BMbytes");
  EXPECT_EQ(Export((root / "target").string(), "", ""), 1);
  EXPECT_EQ(Read(root / "target" / "tmpFile1"), "BMbytes");
}

TEST_F(ExportTest, UnchangedConversionWritesTheStoredBytes) {
  gateway.scriptedResults.push_back({{{"Bild", "BMbytes"}, {"File", "a.bmp"}}});
  std::string source = "old", destination = "old";
  TRecCmdMDB command;
  command.command = kCmdConvert;
  command.convert.key = 3;
  command.convert.targetFormat = kConvertUnchanged;
  command.convert.targetFolder = (root / "target").string();
  command.convert.sourceStream = &source;
  command.convert.destinationStream = &destination;
  EXPECT_EQ(RunCmdMDB(session, command, record), 0);
  EXPECT_EQ(gateway.calls[0].sql, "SELECT Bild,[File] FROM Bilder WHERE BildCtr2=3");
  EXPECT_EQ(Read(root / "target" / "a.bmp"), "BMbytes");
  EXPECT_EQ(source, "BMbytes");
  EXPECT_EQ(destination, "");
}

TEST_F(ExportTest, ConvertingUnknownBytesNeverReplacesTheStoredImage) {
  gateway.scriptedResults.push_back({{{"Bild", "PNGbytes"}, {"File", "a.png"}}});
  TRecCmdMDB command;
  command.command = kCmdConvert;
  command.convert.key = 3;
  command.convert.targetFormat = kConvertToJpeg;
  command.convert.writeBack = true;
  command.convert.targetFolder = (root / "target").string();
  EXPECT_EQ(RunCmdMDB(session, command, record), 1);
  EXPECT_EQ(gateway.calls.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty(root / "target"));
}

}  // namespace
}  // namespace vemora
