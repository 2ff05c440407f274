// The gateway contract as the library relies on it, run against every engine; what only the
// embedded engine allows; statements translated to each engine's dialect.
#include <gtest/gtest.h>

#include <climits>
#include <thread>

#include "common/dialect.h"
#include "gateways/catalogue_rows.h"
#include "gateways/gateway_engines.h"
#include "sqlite/sqlite_gateway.h"
#include "vemora/gateway.h"

namespace vemora::testing {
namespace {

using GatewayTest = GatewayEngineTest;
using gateways::SqlEngine;
using gateways::TranslateStatement;

std::string AllByteValues(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  bytes[0] = static_cast<char>(0xFF);
  return bytes;
}

// What the field lends in place of AsString(); our gateways' fields all lend.
std::optional<std::string_view> Lent(TDBResultSet* rows, std::string_view column) {
  return dynamic_cast<const TDBFieldBytes&>(rows->FieldByName(column)).LendBytes();
}

int32_t CountRows(TDBGateway& gateway, const std::string& query) {
  TDBResultSet* rows = gateway.OpenSQL(query, 0, 0);
  const int32_t count = rows->RecordCount();
  rows->Close();
  return count;
}

TEST_P(GatewayTest, BlobBytesRoundTripUnchanged) {
  // A camera file of the largest kind; NULs, 0xFF, every byte value.
  const std::string image = AllByteValues(50 << 20);
  const std::string withNuls("\0\0I\0I*\0", 7);
  InsertCatalogueRow(gateway(), "gross", image, withNuls, 1);

  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder WHERE BildCtr2 = 1", 0, 0);
  ASSERT_FALSE(rows->Eof());
  EXPECT_TRUE(rows->FieldByName("Bild").AsString() == image);
  EXPECT_EQ(rows->FieldByName("VsBild").AsString(), withNuls);
  EXPECT_FALSE(rows->FieldByName("Bild").IsNull());
  EXPECT_EQ(Lent(rows, "VsBild"), std::string_view(withNuls));
  EXPECT_EQ(Lent(rows, "Bild"), std::nullopt);  // still to be fetched
  rows->Close();

  // Stored as a blob of exactly the bytes after the marker, not as marker-prefixed text.
  const std::string probe = IsPostgres()
                                ? "SELECT pg_typeof(Bild)::text AS t, octet_length(Bild) AS n "
                                  "FROM Bilder WHERE BildCtr2 = 1"
                                : "SELECT typeof(Bild) AS t, length(Bild) AS n "
                                  "FROM Bilder WHERE BildCtr2 = 1";
  rows = gateway().OpenSQL(probe, 0, 0);
  EXPECT_EQ(rows->FieldByName("t").AsString(), IsPostgres() ? "bytea" : "blob");
  EXPECT_EQ(rows->FieldByName("n").AsInteger(), static_cast<int32_t>(image.size()));
  rows->Close();
}

TEST_P(GatewayTest, AColumnLeftOutComesWhenAskedAndFromAnotherConnection) {
  auto* apart = dynamic_cast<TDBColumnApart*>(&gateway());
  ASSERT_EQ(apart != nullptr, IsPostgres());  // the embedded engine reads previews with rows
  if (apart == nullptr) return;
  const std::string preview("\xFF\xD8\0vorschau", 11);
  InsertCatalogueRow(gateway(), "mit", "", preview, 1);
  InsertCatalogueRow(gateway(), "leer", "", "", 2);

  apart->LeaveOut("[Bilder]", "VSBILD", true);
  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_EQ(Lent(rows, "VsBild"), std::nullopt);
  EXPECT_FALSE(rows->FieldByName("VsBild").IsNull());
  EXPECT_EQ(rows->FieldByName("VsBild").AsString(), preview);
  rows->Next();
  EXPECT_TRUE(rows->FieldByName("VsBild").IsNull());
  rows->Close();
  apart->LeaveOut("Bilder", "VsBild", false);
  rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_EQ(Lent(rows, "VsBild"), std::string_view(preview));

  // Another gateway, used by another thread while this one's query is still open.
  std::string read;
  std::thread([&] {
    const std::unique_ptr<TDBGateway> another = apart->OpenAnother();
    TDBResultSet* its = another->OpenSQL("SELECT VsBild FROM Bilder WHERE BildCtr2 = 1", 0, 0);
    read = its->FieldByName("VsBild").AsString();
    its->Close();
  }).join();
  EXPECT_EQ(read, preview);
  rows->Close();
}

TEST_P(GatewayTest, TextsIntegersAndNullsConvertAsTheLibraryReadsThem) {
  const std::string unicode = "Größe – Ærø ✓ 日本 \xF0\x9F\x93\xB7";
  gateway().ExecSQLParams(
      "INSERT INTO Bilder (Name, Beschreibung, ProjektNr, BildCtr2, Typ, Path) "
      "VALUES (:b, :a, :x, :y, :z, :n)",
      {TDBValue::Text(unicode), TDBValue::Text("42"), TDBValue::Integer(INT32_MIN),
       TDBValue::Integer(INT32_MAX), TDBValue(), TDBValue::Integer(-7)},
      1, 4);
  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  ASSERT_FALSE(rows->Eof());
  EXPECT_EQ(rows->FieldByName("Name").AsString(), unicode);
  EXPECT_EQ(rows->FieldByName("Beschreibung").AsInteger(), 42);  // text read as a number
  EXPECT_EQ(rows->FieldByName("ProjektNr").AsInteger(), INT32_MIN);
  EXPECT_EQ(rows->FieldByName("BildCtr2").AsString(), std::to_string(INT32_MAX));
  EXPECT_EQ(rows->FieldByName("Path").AsString(), "-7");  // an integer in a text column
  EXPECT_EQ(rows->FieldByName("Typ").AsString(), "");     // unassigned is null
  EXPECT_TRUE(rows->FieldByName("Typ").IsNull());
  EXPECT_EQ(rows->FieldByName("Bild").AsString(), "");
  EXPECT_EQ(Lent(rows, "Name"), std::string_view(unicode));
  EXPECT_EQ(Lent(rows, "Typ"), std::string_view());
  rows->Close();

  // Values spliced into the text, as the delete and saved-search statements do.
  gateway().ExecSQL("INSERT INTO BildFilt (Name, Text1) VALUES ('O''Neil :p1', 'Baum')", 4);
  EXPECT_EQ(ColumnValues(gateway(), "Text1", "SELECT * FROM BildFilt WHERE Name = 'O''Neil :p1'"),
            std::vector<std::string>{"Baum"});
}

TEST_P(GatewayTest, RecordCountLeavesTheReadingPositionAlone) {
  for (int i = 1; i <= 25; ++i) InsertCatalogueRow(gateway(), "n" + std::to_string(i), "b", "v", i);

  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder ORDER BY BildCtr2", 0, 0);
  rows->Next();
  rows->Next();
  EXPECT_EQ(rows->RecordCount(), 25);
  EXPECT_EQ(rows->FieldByName("BildCtr2").AsInteger(), 3);
  int seen = 0;
  for (; !rows->Eof(); rows->Next()) ++seen;
  EXPECT_EQ(seen, 23);
  rows->First();
  EXPECT_EQ(rows->FieldByName("BildCtr2").AsInteger(), 1);
  rows->Close();
  EXPECT_EQ(CountRows(gateway(), "SELECT * FROM Bilder WHERE BildCtr2 > 20;"), 5);
}

// The load's pattern: walk every row while writing previews back, with a second query open.
// Small and large blobs are mixed over several fetches: each row reads its own bytes, whether
// they come with a batch of small ones or alone.
TEST_P(GatewayTest, ResultSetsStreamWhileTheCatalogueIsWritten) {
  const std::string large = AllByteValues(200 << 10);
  auto image = [&](int key) { return key % 100 == 0 ? large : "I" + std::to_string(key); };
  auto preview = [](int key) { return key % 7 == 0 ? "" : "v" + std::to_string(key); };
  constexpr int kRows = 1500;
  gateway().ExecSQL("BEGIN", 4);
  for (int key = 1; key <= kRows; ++key)
    InsertCatalogueRow(gateway(), std::to_string(key), image(key), preview(key), key);
  gateway().ExecSQL("COMMIT", 4);
  gateway().ExecSQL("UPDATE Bilder SET VsBild = NULL WHERE BildCtr2 = 14", 4);

  TDBResultSet* outer = gateway().OpenSQL("SELECT * FROM Bilder ORDER BY BildCtr2", 0, 0);
  TDBResultSet* lookup = gateway().OpenSQL("SELECT * FROM Bilder WHERE BildCtr2 = 7", 0, 0);
  int visited = 0, wrong = 0;
  for (; !outer->Eof(); outer->Next()) {
    const int key = outer->FieldByName("BildCtr2").AsInteger();
    TDBField& vsBild = outer->FieldByName("VsBild");
    wrong += key != ++visited;
    // Some rows ask for the preview only, some for the image first.
    if (key % 3 == 0 && outer->FieldByName("Bild").AsString() != image(key)) ++wrong;
    if (vsBild.IsNull() != preview(key).empty() || vsBild.AsString() != preview(key)) ++wrong;
    gateway().ExecSQLParams("UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2",
                            {Blob("p" + std::to_string(key)), TDBValue::Integer(key)}, 1, 4);
    // A second query in the middle of the walk, while the next batch is on its way.
    if (key % 500 == 0 && CountRows(gateway(), "SELECT * FROM Bilder WHERE BildCtr2 <= 3") != 3)
      ++wrong;
  }
  EXPECT_EQ(visited, kRows);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(lookup->FieldByName("Name").AsString(), "7");
  lookup->Close();
  outer->Close();
  EXPECT_EQ(ColumnValues(gateway(), "VsBild", "SELECT VsBild FROM Bilder ORDER BY BildCtr2")[599],
            "p600");

  // Closed result sets are reclaimed by the gateway; open ones die with it (sanitizers watch).
  for (int i = 0; i < 50; ++i) gateway().OpenSQL("SELECT Name FROM Bilder", 0, 0)->Close();
  gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
}

// One host loads (and writes previews) while another host adds an image to the same catalogue.
TEST_P(GatewayTest, WritesSucceedWhileAnotherHostWritesDuringAnOpenQuery) {
  for (int i = 1; i <= 5; ++i) InsertCatalogueRow(gateway(), std::to_string(i), "b", "", i);
  std::unique_ptr<TDBGateway> otherHost = catalogue().Connect();

  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  int visited = 0;
  for (; !rows->Eof(); rows->Next()) {
    if (++visited == 2) InsertCatalogueRow(*otherHost, "fremd", "x", "", 100);
    gateway().ExecSQLParams(
        "UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2",
        {Blob("p"), TDBValue::Integer(rows->FieldByName("BildCtr2").AsInteger())}, 1, 4);
    // A lookup made now sees every committed row, this host's and the other's.
    EXPECT_EQ(CountRows(gateway(), "SELECT * FROM Bilder WHERE BildCtr2 = 100"),
              visited >= 2 ? 1 : 0);
  }
  rows->Close();
  EXPECT_GE(visited, 5);
  EXPECT_EQ(ColumnValues(gateway(), "VsBild", "SELECT VsBild FROM Bilder WHERE BildCtr2 < 100"),
            std::vector<std::string>(5, "p"));
}

// The library pairs the rows of a fresh query with those of an earlier one by position, so
// the order must survive updates; blobs are read late for some shapes of query only.
TEST_P(GatewayTest, QueryShapesReadTheSameValuesInTheSameOrder) {
  const std::string eins = std::string(1, '\xFF') + "eins";
  InsertCatalogueRow(gateway(), "eins", eins, "v1", 3);
  InsertCatalogueRow(gateway(), "zwei", "", "v2", 2);
  gateway().ExecSQL("INSERT INTO Bilder (Name, BildCtr2) VALUES ('drei', 1)", 4);
  gateway().ExecSQLParams("UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2",
                          {Blob("v3"), TDBValue::Integer(3)}, 1, 4);
  gateway().ExecSQL("UPDATE Bilder SET Name = Name WHERE BildCtr2 = 2", 4);

  const std::vector<std::string> names = {"eins", "zwei", "drei"};
  EXPECT_EQ(ColumnValues(gateway(), "Name"), names);
  EXPECT_EQ(ColumnValues(gateway(), "Name", "SELECT Name, BildCtr2 FROM Bilder;"), names);
  EXPECT_EQ(ColumnValues(gateway(), "Bild", "Select BildCtr2,Bild,[File],VsBild from Bilder"),
            (std::vector<std::string>{eins, "", ""}));
  EXPECT_EQ(ColumnValues(gateway(), "VsBild", "SELECT * FROM Bilder ORDER BY BildCtr2 DESC"),
            (std::vector<std::string>{"v3", "v2", ""}));
  EXPECT_EQ(ColumnValues(gateway(), "Name", "SELECT * FROM Bilder WHERE BildCtr2 <> 2"),
            (std::vector<std::string>{"eins", "drei"}));
  EXPECT_EQ(
      ColumnValues(gateway(), "Bild", "SELECT b.Bild FROM Bilder b WHERE b.BildCtr2 IN (SELECT 3)"),
      std::vector<std::string>{eins});
}

TEST_P(GatewayTest, DatabaseAssignsCountersThatAreNeverReused) {
  InsertCatalogueRow(gateway(), "a", "", "", -1);
  InsertCatalogueRow(gateway(), "b", "", "", -1);
  const auto first =
      ColumnValues(gateway(), "BildCtr", "SELECT BildCtr FROM Bilder ORDER BY BildCtr");
  ASSERT_EQ(first.size(), 2u);
  EXPECT_NE(first[0], first[1]);
  // A deleted row's counter could be in a host's bdselect.txt; it must not name a new image.
  gateway().ExecSQL("DELETE FROM Bilder WHERE BildCtr = " + first[1], 4);
  InsertCatalogueRow(gateway(), "c", "", "", -1);
  const auto after =
      ColumnValues(gateway(), "BildCtr", "SELECT BildCtr FROM Bilder WHERE Name = 'c'");
  ASSERT_EQ(after.size(), 1u);
  EXPECT_GT(std::stoi(after[0]), std::stoi(first[1]));

  // Creating the tables again keeps the rows.
  catalogue().CreateCatalogueTables();
  EXPECT_EQ(CountRows(gateway(), "SELECT * FROM Bilder"), 2);
}

TEST_P(GatewayTest, ErrorsCarryTheEnginesMessageAndTheStatement) {
  auto messageOf = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const TDBError& error) {
      return error.what();
    }
    return "(no error)";
  };
  const std::string syntax = messageOf([&] { gateway().ExecSQL("SELEC 1 FROM Bilder", 4); });
  EXPECT_NE(syntax.find("syntax error"), std::string::npos) << syntax;
  EXPECT_NE(syntax.find("SELEC 1 FROM Bilder"), std::string::npos) << syntax;

  const std::string missing = messageOf([&] { gateway().OpenSQL("SELECT * FROM Fehlt", 0, 0); });
  EXPECT_NE(gateways::AsciiLower(missing).find("fehlt"), std::string::npos) << missing;
  EXPECT_NE(missing.find(IsPostgres() ? "does not exist" : "no such table"), std::string::npos)
      << missing;

  // A failed statement leaves the gateway usable, open result sets included.
  InsertCatalogueRow(gateway(), "a", "", "", 1);
  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_THROW(gateway().OpenSQL("SELECT nonsense FROM Bilder", 0, 0), TDBError);
  EXPECT_EQ(rows->FieldByName("Name").AsString(), "a");
  rows->Close();
  EXPECT_EQ(CountRows(gateway(), "SELECT * FROM Bilder"), 1);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(GatewayTest);

TEST(SqliteOnlyTest, BlobColumnsHoldingOtherKindsReadAsStored) {
  gateways::SqliteGateway gateway(":memory:");
  gateway.CreateCatalogueTables();
  const std::string longText(50000, 't');
  gateway.ExecSQLParams("INSERT INTO Bilder (BildCtr2, Bild, VsBild) VALUES (:k, :b, :v)",
                        {TDBValue::Integer(1), TDBValue::Text(longText), TDBValue::Integer(77)}, 1,
                        4);
  TDBResultSet* rows = gateway.OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_EQ(rows->FieldByName("Bild").AsString(), longText);
  EXPECT_EQ(rows->FieldByName("VsBild").AsInteger(), 77);
  EXPECT_FALSE(rows->FieldByName("Bild").IsNull());
  EXPECT_EQ(Lent(rows, "VsBild"), std::string_view("77"));  // lent as AsString reads it
  rows->Close();
}

// Texts are lent as the database keeps them where that is UTF-8; a database kept in UTF-16
// still reads as UTF-8.
TEST(SqliteOnlyTest, TextsOfAUtf16DatabaseReadAsUtf8) {
  gateways::SqliteGateway gateway(":memory:");
  gateway.ExecSQL("PRAGMA encoding='UTF-16le'", 4);
  gateway.CreateCatalogueTables();
  const std::string unicode = "Größe ✓ \xF0\x9F\x93\xB7";
  gateway.ExecSQLParams("INSERT INTO Bilder (BildCtr2, Name, Path) VALUES (:k, :n, :p)",
                        {TDBValue::Integer(1), TDBValue::Text(unicode), TDBValue::Integer(-7)}, 1,
                        4);
  ASSERT_EQ(ColumnValues(gateway, "encoding", "PRAGMA encoding"),
            std::vector<std::string>{"UTF-16le"});
  TDBResultSet* rows = gateway.OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_EQ(rows->FieldByName("Name").AsString(), unicode);
  EXPECT_EQ(Lent(rows, "Name"), std::string_view(unicode));
  EXPECT_EQ(rows->FieldByName("Path").AsString(), "-7");
  rows->Close();
}

TEST(DialectTest, MarkersBracketsAndLiteralsAsEachEngineReadsThem) {
  const auto sqlite = TranslateStatement(
      "UPDATE Bilder SET Name=:p1, Path=:Path WHERE BildCtr2=:p1", SqlEngine::Sqlite);
  EXPECT_EQ(sqlite.sql, "UPDATE Bilder SET Name=?1, Path=?2 WHERE BildCtr2=?3");
  EXPECT_EQ(sqlite.markerCount, 3);

  const auto postgres =
      TranslateStatement("values (:Suchbegriffe, :Bild, :VsBild,:ProjektNr)", SqlEngine::Postgres);
  EXPECT_EQ(postgres.sql, "values ($1, $2, $3,$4)");
  EXPECT_EQ(postgres.markerCount, 4);

  const std::string sql = "INSERT INTO [Bilder] (Name, [File]) values (:Name, :File)";
  EXPECT_EQ(TranslateStatement(sql, SqlEngine::Sqlite).sql,
            "INSERT INTO \"Bilder\" (Name, \"File\") values (?1, ?2)");
  // Bare File folds to file in PostgreSQL; the bracketed form must name the same column.
  EXPECT_EQ(TranslateStatement(sql, SqlEngine::Postgres).sql,
            "INSERT INTO \"bilder\" (Name, \"file\") values ($1, $2)");

  // Literals, comments and casts are left alone.
  const std::string literals =
      "SELECT * FROM BildFilt WHERE Name = 'O''Neil :p1 [x]' AND x = \"a:b\" -- :c [d]\n"
      "AND y = z::text AND w = :v";
  const auto translated = TranslateStatement(literals, SqlEngine::Postgres);
  EXPECT_EQ(translated.sql,
            "SELECT * FROM BildFilt WHERE Name = 'O''Neil :p1 [x]' AND x = \"a:b\" -- :c [d]\n"
            "AND y = z::text AND w = $1");
  EXPECT_EQ(translated.markerCount, 1);
}

}  // namespace
}  // namespace vemora::testing
