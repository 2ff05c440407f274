// The hidden diagnostics: Ctrl+Alt+Shift+D opens the panel; "TestDB" checks the preview
// column, "DB: Bild->vsBild" rebuilds every preview and loads the catalogue again.
#pragma once

#include "ui/commands/command_group.h"

namespace vemora::ui {

class DiagnosticsPanel;

class DiagnosticsCommands : public CommandGroup {
  Q_OBJECT

 public:
  DiagnosticsCommands(WindowServices& window, DiagnosticsPanel* panel);

  void AddTo(WindowChrome&) override {}
  void UpdateCommands(const CommandStates&) override {}
};

}  // namespace vemora::ui
