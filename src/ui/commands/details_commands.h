// One image in detail: "Details" (the record's texts, written at once) and the image
// information panel's "EXIF Informationen".
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class InformationPanel;

class DetailsCommands : public CommandGroup {
  Q_OBJECT

 public:
  DetailsCommands(WindowServices& window, InformationPanel* information);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

 private:
  void DetailsClick();
  void ExifClick();

  QAction* details_;
};

}  // namespace vemora::ui
