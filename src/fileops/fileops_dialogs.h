// The dialogs the file commands open, behind an interface the core owns: the save dialog of
// "Speichern unter...", the export dialog TBildKonv and the scaling dialog TResizeForm. The
// Qt window implements it with its dialogs; tests script the user's choices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/records.h"

namespace vemora {

// What TBildKonv is opened with.
struct ExportDialogRequest {
  std::string focusedName;               // already "<keine Bezeichnung>" for an empty one
  std::vector<std::string> markedNames;  // in the order they will be exported
  std::string imageFolder;
  std::string targetFolder;  // an existing folder
};

enum class ExportOutcome { Cancelled, Focused, Marked };

struct ExportDialogResult {
  ExportOutcome outcome = ExportOutcome::Cancelled;
  int32_t format = kConvertUnchanged;  // ConvertTarget
  bool writeBack = false;              // only for a format other than kConvertUnchanged
  std::string targetFolder;            // the folder shown, or empty when it does not exist
};

enum class ResizeOutcome { Ok, Cancelled, ExportRequested };

// What TResizeForm hands back. The limits stay texts: a text that is not a whole number
// ends the run before anything changed.
struct ResizeDialogResult {
  ResizeOutcome outcome = ResizeOutcome::Cancelled;
  std::string widthText;
  std::string heightText;
  bool markedOnly = false;
  bool interpolate = false;
  int filter = 0;        // "Triangle" ... "Mitchell"
  int colourFormat = 5;  // "schwarz/weiß" ... "16 Mio Farben"
};

class FileOpsDialogs {
 public:
  virtual ~FileOpsDialogs() = default;
  // The save dialog (filter "*.*"), which must not ask about an existing file itself; the
  // chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseSaveFile(const std::string& initialFolder,
                                                    const std::string& proposedName) = 0;
  virtual ExportDialogResult ChooseExport(const ExportDialogRequest& request) = 0;
  virtual ResizeDialogResult ChooseResize() = 0;
};

}  // namespace vemora
