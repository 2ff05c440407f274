// Browsing and marks: "Alles", "Keine", "Invertieren", "Aktualisieren" and the single
// image's "Auswählen".
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class BrowseCommands : public CommandGroup {
  Q_OBJECT

 public:
  explicit BrowseCommands(WindowServices& window);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

 private:
  void RefreshClick();

  QAction* markAll_;
  QAction* markNone_;
  QAction* invertMarks_;
  QAction* refresh_;
  QAction* markFocused_;
};

}  // namespace vemora::ui
