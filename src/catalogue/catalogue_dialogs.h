// The dialogs that the commands changing the catalogue open, behind an interface the core
// owns: the picture file dialog, the delete dialog and the adding window. The Qt window
// implements it with its dialogs; tests script the user's choices.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vemora {

// The filter list of the picture file dialog: pairs of description and patterns.
inline constexpr const char* kPictureFileFilter =
    "Alle (*.jpg;*.jpeg;*.bmp;*.ico)|*.jpg;*.jpeg;*.bmp;*.ico;|JPEG-Grafikdatei "
    "(*.jpg)|*.jpg|JPEG-Grafikdatei (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Symbole (*.ico)|*.ico";

// What the user chose in the delete dialog.
struct DeleteChoice {
  bool cancelled = false;
  bool deleteMarked = false;
};

// TBilderAdd: the window that shows each file being added.
class AddProgressWindow {
 public:
  virtual ~AddProgressWindow() = default;
  // One file is done: the bar advances, the label shows its path, the picture its preview.
  virtual void FileAdded(const std::string& path, std::string_view previewJpeg) = 0;
  // A file could not be added: its path shows while the user reads why.
  virtual void FileFailed(const std::string& path) = 0;
  // The time the last file took and the time since the first, as display texts.
  virtual void ShowTimes(const std::string& lastFile, const std::string& elapsed) = 0;
};

class CatalogueDialogs {
 public:
  virtual ~CatalogueDialogs() = default;
  // The picture file dialog; empty when the user cancels.
  virtual std::vector<std::string> ChoosePictureFiles(const std::string& title, bool multiple) = 0;
  // TBildDelete: the focused image's designation on the left, the marked ones on the
  // right (already with "<keine Bezeichnung>" for empty ones).
  virtual DeleteChoice ChooseDeleteMode(const std::string& focusedName,
                                        const std::vector<std::string>& markedNames) = 0;
  // Shows TBilderAdd for `fileCount` files; it closes when the result is destroyed.
  // `fromDrop`: the window of a drop, whose bar runs to fileCount - 1.
  virtual std::unique_ptr<AddProgressWindow> OpenAddWindow(int fileCount, bool fromDrop) = 0;
};

}  // namespace vemora
