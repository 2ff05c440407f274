#include "ui/commands/diagnostics_commands.h"

#include <QAction>

#include "catalogue/diagnostics.h"
#include "catalogue/preview_column.h"
#include "ui/diagnostics_panel.h"

namespace vemora::ui {

DiagnosticsCommands::DiagnosticsCommands(WindowServices& window, DiagnosticsPanel* panel)
    : CommandGroup(window) {
  QAction* open = MakeAction("diagnosticsAction", QString(), {},
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_D));
  connect(open, &QAction::triggered, panel, &DiagnosticsPanel::Open);
  connect(panel, &DiagnosticsPanel::testRequested, this, [this] {
    window_.Guarded(
        [this] { window_.prompter().ShowMessage(TestPreviewColumn(window_.session())); });
  });
  connect(panel, &DiagnosticsPanel::rebuildRequested, this, [this] {
    window_.Guarded([this] {
      RebuildPreviews(window_.session(), kRebuildAll);
      window_.ReloadCatalogue();
    });
  });
}

}  // namespace vemora::ui
