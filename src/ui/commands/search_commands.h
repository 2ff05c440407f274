// "Suchen": the search dialog over a snapshot of the grid; the matches the user takes over
// become the grid's marks.
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class SearchCommands : public CommandGroup {
  Q_OBJECT

 public:
  explicit SearchCommands(WindowServices& window);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

 private:
  void SearchClick();

  QAction* search_;
};

}  // namespace vemora::ui
