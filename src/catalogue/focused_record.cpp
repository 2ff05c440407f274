#include "catalogue/focused_record.h"

#include <algorithm>
#include <exception>

#include "catalogue/size_text.h"
#include "catalogue/statements.h"
#include "catalogue/stored_picture.h"
#include "codec/decode.h"
#include "platform/paths.h"

namespace vemora {
namespace {

// The picture's size from its header; an image of no kind the panel shows keeps the size
// of the picture already shown. A damaged one has no size: it must not keep the previous
// record's, and its error goes to the view.
void RememberPictureSize(const std::string& bytes, SingleImageState& state,
                         FocusedRecordView& view) {
  const auto span = codec::AsBytes(bytes);
  const codec::ImageKind kind = codec::CatalogueImageKind(span);
  if (kind == codec::ImageKind::Unknown) return;
  try {
    const codec::ImageInfo info = codec::ReadImageInfo(span, kind);
    state.width = std::max<int32_t>(info.width, 1);
    state.height = std::max<int32_t>(info.height, 1);
  } catch (const std::exception& error) {
    state.width = state.height = 1;
    view.pictureError = UnreadableImageText(error.what());
  }
}

}  // namespace

FocusedRecordView ShowFocusedRecord(TDBGateway& gateway, const CatalogueGrid& grid,
                                    SingleImageState& state, std::string& selectedFileName,
                                    bool fileNamesOnly) {
  FocusedRecordView view;
  const GridRecord* record = grid.Focused();
  if (record == nullptr) return view;
  if (!record->HasPreview()) {
    view.kind = FocusedRecordView::Kind::MissingImage;
    view.missingPath = record->filePath.value_or("");
    view.fileText = kNoImageFoundText;
    return view;
  }

  view.kind = FocusedRecordView::Kind::Picture;
  state.shownIndex = grid.focused;
  const std::string path = record->filePath.value_or("");
  selectedFileName = platform::FileNamePart(path);
  {
    ResultSetGuard rows =
        Query(gateway, "SELECT * FROM Bilder WHERE BildCtr2 = " + std::to_string(record->key));
    rows->First();
    if (!rows->Eof()) {
      view.imageBytes = rows->FieldByName("Bild").AsString();
      state.storedKiB = StoredSizeKiB(view.imageBytes->size());
      RememberPictureSize(*view.imageBytes, state, view);
    }
  }
  view.sizeText = view.pictureError.empty()
                      ? PixelSizeText(state.width, state.height, state.storedKiB)
                      : "? x ? Pixel (" + std::to_string(state.storedKiB) + "KB)";
  view.fileText = fileNamesOnly ? platform::FileNamePart(path) : path;
  view.metadataPath = path;
  return view;
}

}  // namespace vemora
