#include "ui/commands/browse_commands.h"

#include <QAction>
#include <QMenu>

namespace vemora::ui {

BrowseCommands::BrowseCommands(WindowServices& window) : CommandGroup(window) {
  markAll_ = MakeAction("markAllAction", QStringLiteral("Alles"),
                        QStringLiteral("Es werden alle Bilder der Galeriekasten ausgewählt."));
  markNone_ = MakeAction("markNoneAction", QStringLiteral("Keine"),
                         QStringLiteral("Die Auswahl bestehender Bilder wird gelöscht."));
  invertMarks_ = MakeAction("invertMarksAction", QStringLiteral("Invertieren"),
                            QStringLiteral("Die Auswahl der Bilder wird invertiert."));
  refresh_ = MakeAction("refreshAction", QStringLiteral("Aktualisieren"),
                        QStringLiteral("Galeriekasten aktualisieren"), QKeySequence(Qt::Key_F5));
  markFocused_ = MakeAction("markFocusedAction", QStringLiteral("Auswählen"));

  connect(markAll_, &QAction::triggered, this, [this] { window_.grid().MarkAll(); });
  connect(markNone_, &QAction::triggered, this, [this] { window_.grid().UnmarkAll(); });
  connect(invertMarks_, &QAction::triggered, this, [this] { window_.grid().InvertMarks(); });
  connect(refresh_, &QAction::triggered, this, &BrowseCommands::RefreshClick);
  connect(markFocused_, &QAction::triggered, this, [this] {
    CatalogueGrid& grid = window_.grid();
    if (grid.Focused() != nullptr) grid.SetMark(grid.focused, true);
  });
}

void BrowseCommands::AddTo(WindowChrome& chrome) {
  chrome.marksMenu()->addActions({markAll_, markNone_, invertMarks_});
  chrome.AddToToolbar(ToolbarSection::Find, {refresh_});
  chrome.AddToSmallMenu(SmallMenuItem::Select, markFocused_);
}

void BrowseCommands::UpdateCommands(const CommandStates& states) {
  for (QAction* action : {markAll_, markNone_, invertMarks_, refresh_, markFocused_})
    action->setEnabled(states.recordCommands);
}

// Only with a focused record: the catalogue anew, and the same place in it.
void BrowseCommands::RefreshClick() {
  const CatalogueGrid& grid = window_.grid();
  if (grid.Focused() == nullptr) return;
  const int remembered = grid.focused;
  window_.Guarded([this] { window_.ReloadCatalogue(); });
  window_.PutKeyboardFocusOnGrid();
  window_.FocusRecord(remembered);
}

}  // namespace vemora::ui
