// A catalogue on one engine with rows added straight from bytes (no file needed, any bytes
// allowed), and reading a row's stored columns back.
#pragma once

#include <string>

#include "catalogue/adding.h"
#include "catalogue/catalogue_engine_fixture.h"
#include "catalogue/result_set_guard.h"
#include "scripted_file_dialogs.h"

namespace vemora::testing {

struct StoredRow {
  std::string bild;
  std::string vsBild;
  std::string file;
};

class StoredImagesFixture : public CatalogueEngineFixture {
 protected:
  // A row whose file name is `file` and whose preview is "vs:" + file; returns its index.
  int AddRow(const std::string& file, const std::string& bytes, const std::string& name = "") {
    const int index =
        AppendImage(session, grid, PreparedImage{(folder / file).string(), bytes, "vs:" + file});
    grid.Update(index, [&](GridRecord& record) { record.name = name; });
    return index;
  }
  int32_t KeyOf(int index) const { return grid.Record(index).key; }

  StoredRow Stored(int index) {
    ResultSetGuard query(gateway().OpenSQL(
        "SELECT Bild, VsBild, [File] FROM Bilder WHERE BildCtr2=" + std::to_string(KeyOf(index)), 0,
        0));
    return {query->FieldByName("Bild").AsString(), query->FieldByName("VsBild").AsString(),
            query->FieldByName("File").AsString()};
  }

  int CountStatements(const std::string& prefix) const {
    int count = 0;
    for (const auto& statement : failing->statements) count += statement.starts_with(prefix);
    return count;
  }

  ScriptedFileDialogs dialogs;
};

}  // namespace vemora::testing
