// The predefined keywords: the tree in the toolbar and the "Suchbegriffe" menu, and
// "durch Auswahl ersetzen" / "Auswahl hinzufügen" on the focused record, written at once.
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class KeywordActions;

class KeywordCommands : public CommandGroup {
  Q_OBJECT

 public:
  explicit KeywordCommands(WindowServices& window);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

 private:
  // Runs one of the two commands with the chosen keyword on the focused record.
  void Apply(bool replace);

  KeywordActions* keywords_;
};

}  // namespace vemora::ui
