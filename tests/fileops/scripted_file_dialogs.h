// File-command dialogs that answer from a script and remember what they were shown.
#pragma once

#include <optional>
#include <string>

#include "fileops/fileops_dialogs.h"

namespace vemora::testing {

class ScriptedFileDialogs : public FileOpsDialogs {
 public:
  std::optional<std::string> saveFile;  // what the save dialog returns
  std::string saveFolderShown;
  std::string saveNameShown;
  ExportDialogResult exportChoice;  // what TBildKonv returns
  std::optional<ExportDialogRequest> exportShown;
  ResizeDialogResult resizeChoice;  // what TResizeForm returns

  std::optional<std::string> ChooseSaveFile(const std::string& folder,
                                            const std::string& name) override {
    saveFolderShown = folder;
    saveNameShown = name;
    return saveFile;
  }
  ExportDialogResult ChooseExport(const ExportDialogRequest& request) override {
    exportShown = request;
    return exportChoice;
  }
  ResizeDialogResult ChooseResize() override { return resizeChoice; }
};

}  // namespace vemora::testing
