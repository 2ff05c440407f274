// "Einstellungen" (the options dialog, its settings applied again when it closes) and
// "Hilfe" (the help pages at the main window's topic).
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class OptionsCommands : public CommandGroup {
  Q_OBJECT

 public:
  explicit OptionsCommands(WindowServices& window);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates&) override {}

 private:
  void OptionsClick();
  void HelpClick();

  QAction* options_;
  QAction* help_;
};

}  // namespace vemora::ui
