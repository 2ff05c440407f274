#include "common/dialect.h"

#include <gtest/gtest.h>

#include "vemora/gateway.h"

namespace vemora::gateways {
namespace {

TEST(DialectTest, MarkersBindByPositionWhateverTheirName) {
  const auto sqlite = TranslateStatement(
      "UPDATE Bilder SET Name=:p1, Path=:Path WHERE BildCtr2=:p1", SqlEngine::Sqlite);
  EXPECT_EQ(sqlite.sql, "UPDATE Bilder SET Name=?1, Path=?2 WHERE BildCtr2=?3");
  EXPECT_EQ(sqlite.markerCount, 3);

  const auto postgres =
      TranslateStatement("values (:Suchbegriffe, :Bild, :VsBild,:ProjektNr)", SqlEngine::Postgres);
  EXPECT_EQ(postgres.sql, "values ($1, $2, $3,$4)");
  EXPECT_EQ(postgres.markerCount, 4);
}

TEST(DialectTest, BracketsBecomeQuotedIdentifiersFoldedForPostgres) {
  const std::string sql = "INSERT INTO [Bilder] (Name, [File]) values (:Name, :File)";
  EXPECT_EQ(TranslateStatement(sql, SqlEngine::Sqlite).sql,
            "INSERT INTO \"Bilder\" (Name, \"File\") values (?1, ?2)");
  // Bare File folds to file in PostgreSQL; the bracketed form must name the same column.
  EXPECT_EQ(TranslateStatement(sql, SqlEngine::Postgres).sql,
            "INSERT INTO \"bilder\" (Name, \"file\") values ($1, $2)");
}

TEST(DialectTest, LiteralsCommentsAndCastsAreLeftAlone) {
  const std::string sql =
      "SELECT * FROM BildFilt WHERE Name = 'O''Neil :p1 [x]' AND x = \"a:b\" -- :c [d]\n"
      "AND y = z::text AND w = :v";
  const auto translated = TranslateStatement(sql, SqlEngine::Postgres);
  EXPECT_EQ(translated.sql,
            "SELECT * FROM BildFilt WHERE Name = 'O''Neil :p1 [x]' AND x = \"a:b\" -- :c [d]\n"
            "AND y = z::text AND w = $1");
  EXPECT_EQ(translated.markerCount, 1);
}

}  // namespace
}  // namespace vemora::gateways
