#include "ui/commands/options_commands.h"

#include <QAction>

#include "platform/desktop.h"
#include "settings/settings_keys.h"
#include "ui/options_dialog.h"

namespace vemora::ui {

OptionsCommands::OptionsCommands(WindowServices& window) : CommandGroup(window) {
  options_ = MakeAction("optionsAction", QStringLiteral("Einstellungen"));
  help_ = MakeAction("helpAction", QStringLiteral("Hilfe"), {}, QKeySequence(Qt::Key_F1));
  connect(options_, &QAction::triggered, this, &OptionsCommands::OptionsClick);
  connect(help_, &QAction::triggered, this, &OptionsCommands::HelpClick);
}

void OptionsCommands::AddTo(WindowChrome& chrome) {
  chrome.AddToToolbar(ToolbarSection::Window, {options_, help_});
}

void OptionsCommands::OptionsClick() {
  window_.Guarded([this] {
    TFOptionen dialog(window_.widget(), window_.settings(), window_.prompter());
    dialog.exec();
    window_.ApplySettings();
  });
}

void OptionsCommands::HelpClick() {
  window_.Guarded([this] {
    platform::OpenHelpTopic(
        window_.settings().ReadInteger(kSectionHelp, kKeyHelpTopicMain, kDefaultHelpTopicMain));
  });
}

}  // namespace vemora::ui
