// `vemora catalogue` on both engines: each subcommand does its work through the window's
// core functions, and bad input is one line, a non-zero status and an unchanged catalogue.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_engine_fixture.h"
#include "catalogue/dispatcher.h"
#include "catalogue/result_set_guard.h"
#include "catalogue/statements.h"
#include "catalogue_cli/catalogue_cli.h"
#include "codec/decode.h"
#include "codec/image_kind.h"
#include "gateways/catalogue_rows.h"
#include "support/pictures.h"

namespace vemora::testing {
namespace {

struct CliResult {
  int status = 0;
  std::string out;
  std::string err;
};

class CatalogueCliTest : public CatalogueEngineFixture {
 protected:
  // Runs `vemora catalogue` on this test's catalogue, with the folder as image folder.
  CliResult Cli(std::vector<std::string> args) {
    const std::string& address = catalogue().Address();
    std::vector<std::string> all = address.starts_with("sqlite:")
                                       ? std::vector<std::string>{"--db", address.substr(7)}
                                       : std::vector<std::string>{"--pg", address.substr(9)};
    all.insert(all.end(), {"--images", folder.string()});
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCatalogue(all, out, err, nullptr);
    return {status, out.str(), err.str()};
  }

  // A bad-input run: non-zero, exactly one line on stderr that contains `why`.
  void ExpectRefused(const CliResult& result, const std::string& why) {
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find(why), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }

  // Adds pictures named after `names` (width x 60 pixels each) through `import`.
  void ImportPictures(const std::vector<std::pair<std::string, int>>& names) {
    std::filesystem::create_directories(folder);
    for (size_t i = 0; i < names.size(); ++i)
      WriteFile(names[i].first + ".jpg", TestJpeg(names[i].second, 60, static_cast<uint8_t>(i)));
    ASSERT_EQ(Cli({"import", folder.string()}).status, 0);
  }

  std::string Column(const std::string& column, int32_t key) {
    ResultSetGuard rows =
        Query(gateway(), "SELECT " + column + " FROM Bilder WHERE BildCtr2=" + std::to_string(key));
    return rows->Eof() ? "<no row>" : rows->FieldByName(column).AsString();
  }

  size_t RowCount() { return ColumnValues(gateway(), "BildCtr2").size(); }
};

TEST_P(CatalogueCliTest, ImportAddsFilesAndListShowsThem) {
  std::filesystem::create_directories(folder / "sub");
  WriteFile("sub/berg.jpg", TestJpeg(80, 60));
  WriteFile("strand.jpg", TestJpeg(40, 60, 3));
  WriteFile("notiz.txt", "no picture");
  WriteFile("zitat \"x\".jpg", TestJpeg(20, 20));
  const CliResult imported = Cli({"import", folder.string()});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_NE(imported.out.find("3 of 3 file(s) added"), std::string::npos) << imported.out;
  EXPECT_EQ(RowCount(), 3u);
  EXPECT_FALSE(Column("VsBild", 1).empty());

  const CliResult listed = Cli({"list"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(listed.out.find("\tberg\tberg.jpg\t"), std::string::npos) << listed.out;
  const CliResult json = Cli({"list", "--json"});
  EXPECT_NE(json.out.find("\"name\": \"strand\", \"file\": \"strand.jpg\""), std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"name\": \"zitat \\\"x\\\"\""), std::string::npos) << json.out;
}

TEST_P(CatalogueCliTest, ExportWritesTheChosenKeysInTheChosenFormat) {
  ImportPictures({{"eins", 40}, {"zwei", 50}});
  const auto target = folder / "out";
  std::filesystem::create_directories(target);

  EXPECT_EQ(Cli({"export", "--to", target.string(), "--format", "bmp", "2"}).status, 0);
  ASSERT_TRUE(std::filesystem::exists(target / "zwei.BMP"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target), {}), 1);
  EXPECT_EQ(codec::DecodeImage(codec::AsBytes(ReadFile("out/zwei.BMP"))).width, 50);
  EXPECT_EQ(Column("Bild", 1)[0], '\xFF');

  EXPECT_EQ(Cli({"export", "--to", target.string(), "--format", "tif", "--write-back", "1"}).status,
            0);
  EXPECT_EQ(Column("Bild", 1)[0], 'I');
  EXPECT_EQ(Column("Bild", 2)[0], '\xFF');
}

TEST_P(CatalogueCliTest, SearchCombinesTermsAndSizes) {
  ImportPictures({{"strand meer", 120}, {"strand", 40}, {"berg", 120}});
  auto keysFound = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "search");
    const CliResult result = Cli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    std::string names;
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
      if (line.find('\t') != std::string::npos) names += line.substr(line.find('\t') + 1) + ";";
    }
    return names;
  };
  EXPECT_EQ(keysFound({"strand", "und", "nicht", "meer"}), "strand;");
  EXPECT_EQ(keysFound({"berg", "oder", "meer"}), "berg;strand meer;");
  EXPECT_EQ(keysFound({"--width", ">100", "--fields", "name", "strand"}), "strand meer;");
  EXPECT_EQ(keysFound({"--case", "STRAND"}), "");
  // By the file's date: the mountain's file is twenty years old.
  std::filesystem::last_write_time(
      folder / "berg.jpg",
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
  EXPECT_EQ(keysFound({"--older", "10y"}), "berg;");
  EXPECT_EQ(keysFound({"--newer", "2w", "strand"}), "strand meer;strand;");
  EXPECT_EQ(keysFound({"--to", "1.1.2010"}), "berg;");
}

TEST_P(CatalogueCliTest, ScaleShrinksTheStoredImagesOfTheKeys) {
  ImportPictures({{"breit", 200}, {"schmal", 120}});
  const std::string before = Column("Bild", 2);
  EXPECT_EQ(Cli({"scale", "--width", "50", "--height", "50", "1"}).status, 0);
  const codec::Image scaled = codec::DecodeImage(codec::AsBytes(Column("Bild", 1)));
  EXPECT_EQ(scaled.width, 50);
  EXPECT_EQ(scaled.height, 15);
  EXPECT_EQ(Column("Bild", 2), before);
}

TEST_P(CatalogueCliTest, CheckFindsDamageAndPreviewsRebuildRepairsPreviews) {
  ImportPictures({{"a-ohne-vorschau", 40}, {"b-verschoben", 40}, {"c-kaputt", 40}});
  Execute(gateway(), "UPDATE Bilder SET VsBild=NULL WHERE BildCtr2=1");
  std::filesystem::remove(folder / "b-verschoben.jpg");
  Execute(gateway(), "UPDATE Bilder SET Bild=:p1 WHERE BildCtr2=3",
          {AsBlobParam(std::string("\xFF\xD8 damaged"))});

  const CliResult checked = Cli({"check"});
  EXPECT_EQ(checked.status, cli::kExitFailed);
  EXPECT_NE(checked.out.find("1\ta-ohne-vorschau.jpg\tno preview"), std::string::npos)
      << checked.out;
  EXPECT_NE(checked.out.find("2\tb-verschoben.jpg\tfile missing"), std::string::npos);
  EXPECT_NE(checked.out.find("3\tc-kaputt.jpg\tDas Bild konnte nicht gelesen werden"),
            std::string::npos);
  EXPECT_NE(checked.out.find("3 rows checked, 3 problem(s)"), std::string::npos);

  Execute(gateway(), "DELETE FROM Bilder WHERE BildCtr2=3");
  EXPECT_EQ(Cli({"previews", "--rebuild"}).status, 0);
  EXPECT_FALSE(Column("VsBild", 1).empty());
  EXPECT_NE(Cli({"check"}).out.find("2 rows checked, 1 problem(s)"), std::string::npos);
}

// Bad input of every subcommand: one line naming the reason, a non-zero status, and the
// catalogue and the export folder as they were.
TEST_P(CatalogueCliTest, BadInputIsOneLineAndChangesNothing) {
  ImportPictures({{"eins", 40}, {"zwei", 50}});
  const std::string target = (folder / "out").string();
  std::filesystem::create_directories(target);
  const std::vector<std::string> before = {Column("Bild", 1), Column("Bild", 2)};
  const struct {
    std::vector<std::string> args;
    const char* why;
  } cases[] = {
      {{"import", (folder / "fehlt.jpg").string()}, "no such file or folder"},
      {{"list", "--yaml"}, "unknown option '--yaml'"},
      {{"export", "--to", target, "1", "99"}, "no image with key 99"},
      {{"export", "--to", target, "--write-back"}, "--write-back needs"},
      {{"export", "--to", target, "--format", "png"}, "--format"},
      {{"export", "--to", (folder / "fehlt").string()}, "no such folder"},
      {{"search", "--from", "31.02.2024"}, "--from takes a date"},
      {{"search", "strand", "aber", "meer"}, "joined by und, oder or und-nicht"},
      {{"search", "--newer", "3q"}, "--newer/--older takes a whole number"},
      {{"scale", "--width", "50", "--height", "50", "7"}, "no image with key 7"},
      {{"scale", "--width", "fünfzig", "--height", "50"}, ""},
      {{"previews"}, "previews takes --rebuild"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    ExpectRefused(Cli(c.args), c.why);
  }
  EXPECT_EQ(RowCount(), 2u);
  EXPECT_EQ((std::vector<std::string>{Column("Bild", 1), Column("Bild", 2)}), before);
  EXPECT_TRUE(std::filesystem::is_empty(target));
}

TEST_P(CatalogueCliTest, RefusesCataloguesItCannotUse) {
  // A table without the catalogue's columns: nothing runs.
  Execute(gateway(), "DROP TABLE Bilder");
  Execute(gateway(), "CREATE TABLE Bilder (BildCtr2 INTEGER, Name VARCHAR(80))");
  ExpectRefused(Cli({"import", folder.string()}), "lacks the column(s) Bild, Beschreibung");
  // A server that cannot be reached is the gateway's message (connections_test.cpp); the
  // files below are SQLite's, the same for either engine.
  if (IsPostgres()) return;

  const std::string notSqlite = WriteFile("text.db", "just some text, long enough to matter");
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunCatalogue({"--db", notSqlite, "list"}, out, err, nullptr), cli::kExitFailed);
  EXPECT_NE(err.str().find("not a SQLite catalogue"), std::string::npos) << err.str();
  EXPECT_EQ(ReadFile("text.db"), "just some text, long enough to matter");

  // A bad import does not leave a new, empty catalogue behind.
  const std::string fresh = (folder / "neu.db").string();
  EXPECT_EQ(
      cli::RunCatalogue({"--db", fresh, "--create", "import", "fehlt.jpg"}, out, err, nullptr),
      cli::kExitFailed);
  EXPECT_FALSE(std::filesystem::exists(fresh));
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(CatalogueCliTest);

}  // namespace
}  // namespace vemora::testing
