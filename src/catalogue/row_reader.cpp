#include "catalogue/row_reader.h"

#include <string_view>

#include "catalogue/size_text.h"
#include "catalogue/statements.h"
#include "platform/paths.h"

namespace vemora {

RowReader::RowReader(CatalogueSession& session, TDBResultSet& rows)
    : files_(*session.files),
      imageFolder_(platform::WithTrailingSeparator(session.imageFolder)),
      rows_(rows),
      fileColumn_(session.fileColumn),
      image_(rows.FindField("Bild")),
      file_(rows.FindField(fileColumn_)),
      preview_(rows.FindField("VsBild")),
      previewLender_(dynamic_cast<const TDBFieldBytes*>(preview_)),
      name_(rows.FieldByName("Name")),
      beschreibung_(rows.FieldByName("Beschreibung")),
      textTop_(rows.FieldByName("TextTop")),
      textBottom_(rows.FieldByName("TextBottom")),
      textLeft_(rows.FieldByName("TextLeft")),
      textRight_(rows.FieldByName("TextRight")),
      key_(rows.FieldByName("BildCtr2")),
      suchbegriffe_(rows.FieldByName("Suchbegriffe")),
      counter_(rows.FindField("BildCtr")) {}

GridRecord RowReader::Read() {
  GridRecord record;
  // Only whether the image is null matters here; its bytes are not read.
  if (image_ != nullptr && !image_->IsNull())
    record.filePath =
        imageFolder_ + (file_ != nullptr ? *file_ : rows_.FieldByName(fileColumn_)).AsString();
  record.name = name_.AsString();
  record.beschreibung = beschreibung_.AsString();
  record.textTop = textTop_.AsString();
  record.textBottom = textBottom_.AsString();
  record.textLeft = textLeft_.AsString();
  record.textRight = textRight_.AsString();
  record.key = key_.AsInteger();
  if (counter_ != nullptr) record.rowId = counter_->AsInteger();
  record.suchbegriffe = suchbegriffe_.AsString();
  record.sizeText = SizeText(record.filePath);
  return record;
}

std::string_view RowReader::StoredPreview(std::string& copy) const {
  if (preview_ == nullptr) return {};
  return FieldBytes(*preview_, previewLender_, copy);
}

std::string RowReader::SizeText(const std::optional<std::string>& path) {
  if (!path) return {};
  const auto cut = path->find_last_of(platform::kPathSeparators);
  const std::string_view folder =
      cut == std::string::npos ? std::string_view() : std::string_view(*path).substr(0, cut + 1);
  if (folder != lastFolder_) {
    lastFolder_ = folder;
    lastFolderExists_ = folder.empty() || files_.IsFolder(lastFolder_);
  }
  if (!lastFolderExists_) return {};
  const std::optional<std::uintmax_t> size = files_.FileSize(*path);
  return size ? FileSizeText(*size) : std::string();
}

}  // namespace vemora
