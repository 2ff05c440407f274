#include "catalogue/catalogue_load.h"

#include "catalogue/dispatcher.h"
#include "catalogue/preview_column.h"
#include "catalogue/previews_left_out.h"
#include "catalogue/row_reader.h"
#include "catalogue/statements.h"
#include "catalogue/stored_picture.h"
#include "codec/image.h"

namespace vemora {
namespace {

// The row's preview, packed: the stored one, or one built now and written back when the
// preview column is there to take it. A row whose preview cannot be built simply has none.
PreviewBytes PreviewOf(CatalogueSession& session, TDBResultSet& rows, const RowReader& reader,
                       bool buildMissing, PreviewPacker& packer) {
  if (reader.preview() != nullptr) {
    std::string copy;
    const std::string_view stored = reader.StoredPreview(copy);
    if (!stored.empty() || !buildMissing) return packer.Pack(stored);
  }
  if (!buildMissing) return {};
  try {
    return packer.Pack(RebuildPreviews(session, kRebuildCurrentRow, &rows));
  } catch (const std::exception&) {
    return {};
  }
}

// One record per row from the current row on, in query order; `expected` rows, 0 if unknown.
// With `previewsApart`, a stored preview is left to the feed and its record waits for it.
void ReadRecords(CatalogueSession& session, TDBResultSet& rows, ProgressWindow& wait,
                 const LoadOptions& options, bool previewsApart, size_t expected,
                 std::vector<GridRecord>& records) {
  if (rows.Eof()) return;
  RowReader reader(session, rows);
  PreviewPacker previews(previewsApart ? 0 : expected);
  for (; !rows.Eof(); rows.Next()) {
    wait.Step();
    GridRecord record = reader.Read();
    record.previewPending =
        previewsApart && reader.preview() != nullptr && !reader.preview()->IsNull();
    if (!record.previewPending)
      record.preview = PreviewOf(session, rows, reader, session.previewColumnAvailable, previews);
    record.marked =
        !options.markedKeys.empty() && options.markedKeys.contains(std::to_string(record.key));
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
  const PreviewsLeftOut leftOut(*session.gateway, options.previewsApart);
  ResultSetGuard rows = Query(*session.gateway, "SELECT * FROM Bilder");
  if (rows->FindField("File") == nullptr && rows->FindField("XFile") != nullptr)
    session.fileColumn = "XFile";
  rows->First();
  grid.Clear();
  const int32_t count = rows->RecordCount();
  const size_t expected = count > 0 ? static_cast<size_t>(count) : 0;
  wait->SetMaximum(static_cast<int>(expected));
  wait->SetPosition(0);

  // The records are gathered apart and handed to the grid in one piece, also when a row
  // fails part way: the view never sees a half-built record list.
  std::vector<GridRecord> records;
  records.reserve(expected);
  try {
    ReadRecords(session, *rows, *wait, options, leftOut.active(), expected, records);
  } catch (...) {
    grid.Replace(std::move(records));
    throw;
  }
  grid.Replace(std::move(records));
}

}  // namespace vemora
