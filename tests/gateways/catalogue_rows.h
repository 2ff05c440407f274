// Writing and reading catalogue rows in tests with the library's own statement texts, so the
// gateways are exercised on exactly what the library sends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vemora/gateway.h"

namespace vemora::testing {

inline TDBValue Blob(std::string_view bytes) {
  return TDBValue::Bytes(std::string(kBlobMarker) + std::string(bytes));
}

// Inserts a row as the library's insert command does; returns nothing, the key is `key`.
inline void InsertCatalogueRow(TDBGateway& gateway, const std::string& name, std::string_view image,
                               std::string_view preview, int32_t key,
                               const std::string& fileColumn = "FILE") {
  const std::string sql =
      "INSERT INTO [Bilder] (Name, Beschreibung, TextTop, TextLeft, TextRight, TextBottom, "
      "Path, [" +
      fileColumn +
      "], Suchbegriffe, Bild, VsBild, ProjektNr, Typ, FilePath, BildCtr2) "
      "values (:Name, :Beschreibung, :TextTop, :TextLeft, :TextRight, :TextBottom, :Path, :" +
      fileColumn + ", :Suchbegriffe, :Bild, :VsBild,:ProjektNr,:Typ,:FilePath, :BildCtr2)";
  gateway.ExecSQLParams(
      sql,
      {TDBValue::Text(name), TDBValue::Text("Beschreibung von " + name), TDBValue::Text("oben"),
       TDBValue::Text("links"), TDBValue::Text("rechts"), TDBValue::Text("unten"),
       TDBValue::Text("/bilder/"), TDBValue::Text(name + ".jpg"), TDBValue::Text("Urlaub"),
       Blob(image), Blob(preview), TDBValue::Integer(0), TDBValue::Text(""), TDBValue::Text(""),
       TDBValue::Integer(key)},
      1, 4);
}

// Every value of one column over "SELECT * FROM Bilder", in query order.
inline std::vector<std::string> ColumnValues(TDBGateway& gateway, std::string_view column,
                                             const std::string& query = "SELECT * FROM Bilder") {
  std::vector<std::string> values;
  TDBResultSet* rows = gateway.OpenSQL(query, 0, 0);
  for (; !rows->Eof(); rows->Next()) values.push_back(rows->FieldByName(column).AsString());
  rows->Close();
  return values;
}

}  // namespace vemora::testing
