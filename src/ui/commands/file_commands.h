// The image file and the stored image out: the "Datei" submenu ("Speichern unter...",
// "Konvertieren in BMP/JPEG", "Ändere Name zu", "Exportieren...") and "Bilder skalieren...".
#pragma once

#include <memory>

#include "ui/commands/command_group.h"

class QMenu;

namespace vemora::ui {

class QtFileOpsDialogs;

class FileCommands : public CommandGroup {
  Q_OBJECT

 public:
  explicit FileCommands(WindowServices& window);
  ~FileCommands() override;

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

  void ExportClick();

 private:
  // The submenu's opening: which conversions the file allows, the rename caption.
  void FileMenuOpening();
  void SaveAsClick();
  void ConvertClick(bool toJpeg);
  void RenameClick();
  void ScaleClick();
  QtFileOpsDialogs& Dialogs();

  QAction* saveAs_;
  QAction* toBmp_;
  QAction* toJpeg_;
  QAction* rename_;
  QAction* export_;
  QAction* scale_;
  std::unique_ptr<QtFileOpsDialogs> dialogs_;
};

}  // namespace vemora::ui
