// Behaviour only the embedded engine has: in-memory catalogues and loosely typed columns.
#include <gtest/gtest.h>

#include "gateways/catalogue_rows.h"
#include "sqlite/sqlite_gateway.h"

namespace vemora::testing {
namespace {

TEST(SqliteOnlyTest, InMemoryCatalogueReadsItsOwnWritesWithQueriesOpen) {
  gateways::SqliteGateway gateway(":memory:");
  gateway.CreateCatalogueTables();
  InsertCatalogueRow(gateway, "eins", std::string(40000, 'x'), "v", 1);
  TDBResultSet* open = gateway.OpenSQL("SELECT * FROM Bilder", 0, 0);
  InsertCatalogueRow(gateway, "zwei", "b", "v", 2);
  // One connection only: a second connection would open a different, empty database.
  EXPECT_EQ(ColumnValues(gateway, "Name"), (std::vector<std::string>{"eins", "zwei"}));
  EXPECT_EQ(open->FieldByName("Bild").AsString(), std::string(40000, 'x'));
  open->Close();
}

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
  rows->Close();
}

}  // namespace
}  // namespace vemora::testing
