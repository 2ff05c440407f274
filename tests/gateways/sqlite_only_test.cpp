// Behaviour only the embedded engine has: loosely typed columns, as other programs may fill.
#include <gtest/gtest.h>

#include "gateways/catalogue_rows.h"
#include "sqlite/sqlite_gateway.h"

namespace vemora::testing {
namespace {

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
