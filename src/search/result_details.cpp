#include "search/result_details.h"

#include "catalogue/result_set_guard.h"
#include "search/date_serial.h"

namespace vemora {

ResultDetails DescribeResult(SearchRow& row, SearchFileReader& files) {
  EnsureImageSize(row, files);
  EnsureFileDate(row, files);
  ResultDetails details;
  details.name = row.name;
  details.description = row.description;
  details.keywords = row.keywords;
  details.dateText = row.fileDate > 0 ? FormatDateTime(row.fileDate) : "-";
  details.sizeText = row.height > 0
                         ? std::to_string(row.width) + " x " + std::to_string(row.height) + " Pixel"
                         : "-";
  return details;
}

std::optional<std::string> StoredImageBytes(TDBGateway& gateway, int32_t key) {
  ResultSetGuard rows(
      gateway.OpenSQL("SELECT * FROM Bilder WHERE BildCtr2 = " + std::to_string(key), 0, 0));
  rows->First();
  if (rows->Eof()) return std::nullopt;
  return rows->FieldByName("Bild").AsString();
}

}  // namespace vemora
