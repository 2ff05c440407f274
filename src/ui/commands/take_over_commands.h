// Handing the choice back to the host: the selection panel's "Übernehmen" and
// "nach Übernehmen beenden", and "Beenden".
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class SelectionPanel;

class TakeOverCommands : public CommandGroup {
  Q_OBJECT

 public:
  TakeOverCommands(WindowServices& window, SelectionPanel* panel);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;
  // After the first load: the stored "nach Übernehmen beenden".
  void WindowShown() override;

  void TakeOverClick();

 private:
  SelectionPanel* panel_;
  QAction* quit_;
};

}  // namespace vemora::ui
