#include "catalogue/catalogue_load.h"

#include <filesystem>

#include "catalogue/dispatcher.h"
#include "catalogue/preview_column.h"
#include "catalogue/size_text.h"
#include "catalogue/statements.h"
#include "catalogue/stored_picture.h"
#include "codec/image.h"
#include "platform/paths.h"

namespace vemora {
namespace {

// The row's preview: the stored one, or one built now and written back when the preview
// column is there to take it. A row whose preview cannot be built simply has none.
std::string PreviewOf(CatalogueSession& session, TDBResultSet& rows, TDBField* storedPreview,
                      bool buildMissing) {
  if (storedPreview != nullptr) {
    std::string preview = storedPreview->AsString();
    if (!preview.empty() || !buildMissing) return preview;
  }
  if (!buildMissing) return {};
  try {
    return RebuildPreviews(session, kRebuildCurrentRow, &rows);
  } catch (const std::exception&) {
    return {};
  }
}

std::string SizeTextOf(const platform::FileSystem& files, const std::optional<std::string>& path) {
  if (!path) return {};
  const std::optional<std::uintmax_t> size = files.FileSize(*path);
  return size ? FileSizeText(*size) : std::string();
}

// One record per row from the current row on, in query order.
void ReadRecords(CatalogueSession& session, TDBResultSet& rows, ProgressWindow& wait,
                 const LoadOptions& options, std::vector<GridRecord>& records) {
  const std::string folder = platform::WithTrailingSeparator(session.imageFolder);
  for (; !rows.Eof(); rows.Next()) {
    wait.Step();
    GridRecord record;
    // Only whether the image is null matters here; its bytes are not read.
    TDBField* image = rows.FindField("Bild");
    if (image != nullptr && !image->IsNull())
      record.filePath = folder + rows.FieldByName(session.fileColumn).AsString();
    record.preview =
        PreviewOf(session, rows, rows.FindField("VsBild"), session.previewColumnAvailable);
    record.name = rows.FieldByName("Name").AsString();
    record.beschreibung = rows.FieldByName("Beschreibung").AsString();
    record.textTop = rows.FieldByName("TextTop").AsString();
    record.textBottom = rows.FieldByName("TextBottom").AsString();
    record.textLeft = rows.FieldByName("TextLeft").AsString();
    record.textRight = rows.FieldByName("TextRight").AsString();
    record.key = rows.FieldByName("BildCtr2").AsInteger();
    if (TDBField* counter = rows.FindField("BildCtr")) record.rowId = counter->AsInteger();
    record.marked = options.markedKeys.contains(std::to_string(record.key));
    record.suchbegriffe = rows.FieldByName("Suchbegriffe").AsString();
    record.sizeText = SizeTextOf(*session.files, record.filePath);
    records.push_back(std::move(record));
  }
}

}  // namespace

void LoadCatalogue(CatalogueSession& session, CatalogueGrid& grid, const LoadOptions& options) {
  TRecCmdMDB check;
  check.command = kCmdEnsurePreviewColumn;
  check.selector = kFieldVsBild;
  try {
    RunCmdMDB(session, check, TRecDSBilder{});
  } catch (const codec::CodecError& error) {
    // One damaged image ends the rebuild of all previews, not the load: the rows after it
    // get their previews one by one below, and the damaged one simply has none.
    session.prompter->ShowMessage(UnreadableImageText(error.what()));
  }
  session.fileColumn = "FILE";

  auto wait = session.prompter->OpenWaitWindow();
  ResultSetGuard rows = Query(*session.gateway, "SELECT * FROM Bilder");
  if (rows->FindField("File") == nullptr && rows->FindField("XFile") != nullptr)
    session.fileColumn = "XFile";
  rows->First();
  grid.Clear();
  const int32_t count = rows->RecordCount();
  wait->SetMaximum(count > 0 ? count : 0);
  wait->SetPosition(0);

  // The records are gathered apart and handed to the grid in one piece, also when a row
  // fails part way: the view never sees a half-built record list.
  std::vector<GridRecord> records;
  records.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  try {
    ReadRecords(session, *rows, *wait, options, records);
  } catch (...) {
    grid.Replace(std::move(records));
    throw;
  }
  grid.Replace(std::move(records));
}

}  // namespace vemora
