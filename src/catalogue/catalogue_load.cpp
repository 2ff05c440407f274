#include "catalogue/catalogue_load.h"

#include <string_view>

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

// The "Größe" text of each row's file. A catalogue's files mostly share one folder, and
// when that folder is missing (not mounted, another machine's path) none of its files is
// there: asking once for the folder spares asking for every file.
class SizeTexts {
 public:
  explicit SizeTexts(const platform::FileSystem& files) : files_(files) {}

  std::string Of(const std::optional<std::string>& path) {
    if (!path) return {};
    const auto cut = path->find_last_of(platform::kPathSeparators);
    const std::string_view folder =
        cut == std::string::npos ? std::string_view() : std::string_view(*path).substr(0, cut + 1);
    if (folder != folder_) {
      folder_ = folder;
      folderExists_ = folder.empty() || files_.IsFolder(folder_);
    }
    if (!folderExists_) return {};
    const std::optional<std::uintmax_t> size = files_.FileSize(*path);
    return size ? FileSizeText(*size) : std::string();
  }

 private:
  const platform::FileSystem& files_;
  std::string folder_;
  bool folderExists_ = true;
};

// The columns the load reads, looked up once: a field follows the result set's current row.
struct LoadColumns {
  explicit LoadColumns(TDBResultSet& rows, const std::string& fileColumn)
      : image(rows.FindField("Bild")),
        file(rows.FindField(fileColumn)),
        preview(rows.FindField("VsBild")),
        name(rows.FieldByName("Name")),
        beschreibung(rows.FieldByName("Beschreibung")),
        textTop(rows.FieldByName("TextTop")),
        textBottom(rows.FieldByName("TextBottom")),
        textLeft(rows.FieldByName("TextLeft")),
        textRight(rows.FieldByName("TextRight")),
        key(rows.FieldByName("BildCtr2")),
        suchbegriffe(rows.FieldByName("Suchbegriffe")) {}

  TDBField* image;
  TDBField* file;  // asked for only when a row has an image
  TDBField* preview;
  TDBField& name;
  TDBField& beschreibung;
  TDBField& textTop;
  TDBField& textBottom;
  TDBField& textLeft;
  TDBField& textRight;
  TDBField& key;
  TDBField& suchbegriffe;
};

// One record per row from the current row on, in query order.
void ReadRecords(CatalogueSession& session, TDBResultSet& rows, ProgressWindow& wait,
                 const LoadOptions& options, std::vector<GridRecord>& records) {
  if (rows.Eof()) return;
  const std::string folder = platform::WithTrailingSeparator(session.imageFolder);
  const LoadColumns columns(rows, session.fileColumn);
  SizeTexts sizes(*session.files);
  for (; !rows.Eof(); rows.Next()) {
    wait.Step();
    GridRecord record;
    // Only whether the image is null matters here; its bytes are not read.
    if (columns.image != nullptr && !columns.image->IsNull())
      record.filePath =
          folder + (columns.file ? *columns.file : rows.FieldByName(session.fileColumn)).AsString();
    record.preview = PreviewOf(session, rows, columns.preview, session.previewColumnAvailable);
    record.name = columns.name.AsString();
    record.beschreibung = columns.beschreibung.AsString();
    record.textTop = columns.textTop.AsString();
    record.textBottom = columns.textBottom.AsString();
    record.textLeft = columns.textLeft.AsString();
    record.textRight = columns.textRight.AsString();
    record.key = columns.key.AsInteger();
    record.marked =
        !options.markedKeys.empty() && options.markedKeys.contains(std::to_string(record.key));
    record.suchbegriffe = columns.suchbegriffe.AsString();
    record.sizeText = sizes.Of(record.filePath);
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
