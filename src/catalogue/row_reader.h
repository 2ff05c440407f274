// Turns rows of "SELECT * FROM Bilder" into grid records.
//
// The load and the live refresh both read rows this way. The columns are looked up once per
// result set (a field follows the result set's current row), and the "Größe" text asks the
// file system once per folder when the folder is missing. The preview is left to the caller:
// the load builds missing previews, the live refresh takes what is stored.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

class RowReader {
 public:
  // `rows` must outlive the reader.
  RowReader(CatalogueSession& session, TDBResultSet& rows);

  // The current row's record without its preview and marks.
  GridRecord Read();
  // The stored preview column, or null when the table has none.
  TDBField* preview() const { return preview_; }
  // The current row's stored preview, lent by the field where it lends its bytes (valid until
  // the rows move); else copied into `copy`. Empty when the table has no preview column.
  std::string_view StoredPreview(std::string& copy) const;

 private:
  std::string SizeText(const std::optional<std::string>& path);

  const platform::FileSystem& files_;
  std::string imageFolder_;
  TDBResultSet& rows_;
  std::string fileColumn_;
  TDBField* image_;
  TDBField* file_;  // asked for only when a row has an image
  TDBField* preview_;
  const TDBFieldBytes* previewLender_;  // the preview field, where it lends its bytes
  TDBField& name_;
  TDBField& beschreibung_;
  TDBField& textTop_;
  TDBField& textBottom_;
  TDBField& textLeft_;
  TDBField& textRight_;
  TDBField& key_;
  TDBField& suchbegriffe_;
  TDBField* counter_;  // the row's id for the change feed, where the table has one
  // A catalogue's files mostly share one folder; when it is missing (not mounted, another
  // machine's path) none of its files is there, so the folder is asked once.
  std::string lastFolder_;
  bool lastFolderExists_ = true;
};

}  // namespace vemora
