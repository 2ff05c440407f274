#include "ui/commands/take_over_commands.h"

#include <QAction>
#include <QWidget>

#include "host/selection_file.h"
#include "host/take_over.h"
#include "settings/settings_keys.h"
#include "ui/selection_panel.h"

namespace vemora::ui {

TakeOverCommands::TakeOverCommands(WindowServices& window, SelectionPanel* panel)
    : CommandGroup(window), panel_(panel) {
  quit_ = MakeAction("quitAction", QStringLiteral("Beenden"),
                     QStringLiteral("Die Galeriekasten wird beendet."));
  connect(quit_, &QAction::triggered, window_.widget(), &QWidget::close);
  connect(panel_, &SelectionPanel::takeOverRequested, this, &TakeOverCommands::TakeOverClick);
  connect(panel_, &SelectionPanel::closeAfterTakeOverToggled, this, [this](bool checked) {
    window_.Guarded(
        [&] { window_.settings().WriteBool(kSectionSettings, kKeyCloseOnTakeOver, checked); });
  });
}

void TakeOverCommands::AddTo(WindowChrome& chrome) {
  chrome.AddToToolbar(ToolbarSection::Window, {quit_});
}

void TakeOverCommands::UpdateCommands(const CommandStates& states) {
  panel_->SetTakeOverEnabled(window_.call().multiSelect || states.recordCommands);
}

void TakeOverCommands::WindowShown() {
  panel_->SetCloseAfterTakeOver(
      window_.settings().ReadBool(kSectionSettings, kKeyCloseOnTakeOver, kDefaultCloseOnTakeOver));
}

void TakeOverCommands::TakeOverClick() {
  window_.Guarded([this] {
    CallState& call = window_.call();
    if (call.gateway == nullptr) return;
    if (call.multiSelect) {
      WriteSelectionFile(call.SelectionFile(),
                         CollectMarkedKeys(*call.gateway, window_.grid().Marks()));
    } else {
      call.selectedKey = FindKeyByFileName(*call.gateway, call.selectedFileName, call.selectedKey);
    }
    if (panel_->closeAfterTakeOver()) window_.widget()->close();
  });
}

}  // namespace vemora::ui
