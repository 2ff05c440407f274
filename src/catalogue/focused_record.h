// What the single-image and information panels show for the focused grid record.
//
// The window calls ShowFocusedRecord whenever the focus moves; it fetches the record's
// stored image by key and works out the panel texts, so the window only has to paint. The
// state carries what the panels remember between focus changes: the picture's size stays
// when a key finds no row, as the picture itself does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/grid_record.h"
#include "vemora/gateway.h"

namespace vemora {

struct SingleImageState {
  int shownIndex = -1;  // record shown in the single-image panel
  int32_t width = 1;    // of the picture shown, each at least 1
  int32_t height = 1;
  uint64_t storedKiB = 0;
};

struct FocusedRecordView {
  enum class Kind { None, MissingImage, Picture };
  Kind kind = Kind::None;
  // MissingImage: the record's path ("" when unassigned).
  std::string missingPath;
  // Picture: the stored image bytes when the key found a row; none leaves the panel as is.
  std::optional<std::string> imageBytes;
  std::string fileText;  // information panel
  std::string sizeText;  // "? x ? Pixel (<kib>KB)" when the header cannot be read
  // Picture: UnreadableImageText(...) when the stored bytes' header is damaged; the panel
  // shows it instead of a picture. "" otherwise (the pixels may still fail to decode: see
  // DecodeStoredPicture).
  std::string pictureError;
  // Picture: the file whose metadata decides on the "EXIF Informationen" button.
  std::string metadataPath;
};

// Follows the focus. Sets selectedFileName (the file-name part of the path) for a record
// with a preview and leaves it unchanged otherwise. fileNamesOnly: the information line
// shows the file name without its folder (a host opened the window).
FocusedRecordView ShowFocusedRecord(TDBGateway& gateway, const CatalogueGrid& grid,
                                    SingleImageState& state, std::string& selectedFileName,
                                    bool fileNamesOnly);

inline constexpr const char* kNoImageFoundText = "kein Bild gefunden";

}  // namespace vemora
