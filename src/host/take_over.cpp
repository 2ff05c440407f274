#include "host/take_over.h"

#include "catalogue/previews_left_out.h"
#include "catalogue/statements.h"

namespace vemora {
namespace {

constexpr const char* kTakeOverQuery = "Select * from Bilder";

// The take-over reads keys and file names only: a large shared catalogue's previews would
// cost it a second.
ResultSetGuard QueryWithoutPreviews(TDBGateway& gateway) {
  const PreviewsLeftOut leftOut(gateway);
  return Query(gateway, kTakeOverQuery);
}

}  // namespace

std::vector<int32_t> CollectMarkedKeys(TDBGateway& gateway, const std::vector<bool>& marks) {
  std::vector<int32_t> keys;
  ResultSetGuard rows = QueryWithoutPreviews(gateway);
  rows->First();
  for (size_t row = 0; !rows->Eof() && row < marks.size(); ++row, rows->Next()) {
    if (marks[row]) keys.push_back(rows->FieldByName("BildCtr2").AsInteger());
  }
  return keys;
}

int32_t FindKeyByFileName(TDBGateway& gateway, const std::string& fileName, int32_t currentKey) {
  int32_t key = currentKey;
  ResultSetGuard rows = QueryWithoutPreviews(gateway);
  rows->First();
  for (; !rows->Eof(); rows->Next()) {
    TDBField* file = rows->FindField("File");
    if (file == nullptr) file = &rows->FieldByName("XFile");
    if (file->AsString() == fileName) key = rows->FieldByName("BildCtr2").AsInteger();
  }
  return key;
}

}  // namespace vemora
