#include "host/take_over.h"

#include "catalogue/statements.h"

namespace vemora {
namespace {

constexpr const char* kTakeOverQuery = "Select * from Bilder";

}  // namespace

std::vector<int32_t> CollectMarkedKeys(TDBGateway& gateway, const std::vector<bool>& marks) {
  std::vector<int32_t> keys;
  ResultSetGuard rows = Query(gateway, kTakeOverQuery);
  rows->First();
  for (size_t row = 0; !rows->Eof() && row < marks.size(); ++row, rows->Next()) {
    if (marks[row]) keys.push_back(rows->FieldByName("BildCtr2").AsInteger());
  }
  return keys;
}

int32_t FindKeyByFileName(TDBGateway& gateway, const std::string& fileName, int32_t currentKey) {
  int32_t key = currentKey;
  ResultSetGuard rows = Query(gateway, kTakeOverQuery);
  rows->First();
  for (; !rows->Eof(); rows->Next()) {
    TDBField* file = rows->FindField("File");
    if (file == nullptr) file = &rows->FieldByName("XFile");
    if (file->AsString() == fileName) key = rows->FieldByName("BildCtr2").AsInteger();
  }
  return key;
}

}  // namespace vemora
