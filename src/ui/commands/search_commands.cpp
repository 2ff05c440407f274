#include "ui/commands/search_commands.h"

#include <QAction>

#include "platform/desktop.h"
#include "search/search_take_over.h"
#include "settings/settings_keys.h"
#include "ui/qt_prompter.h"
#include "ui/search_dialog.h"

namespace vemora::ui {

SearchCommands::SearchCommands(WindowServices& window) : CommandGroup(window) {
  search_ = MakeAction("searchAction", QStringLiteral("Suchen"),
                       QStringLiteral("Es wird eine detaillierte und umfangreiche Suche nach "
                                      "einzelnen oder mehreren Bildern ermöglicht."),
                       QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(search_, &QAction::triggered, this, &SearchCommands::SearchClick);
}

void SearchCommands::AddTo(WindowChrome& chrome) {
  chrome.AddToToolbar(ToolbarSection::Find, {search_});
}

void SearchCommands::UpdateCommands(const CommandStates& states) {
  search_->setEnabled(states.wholeCatalogueCommands);
}

void SearchCommands::SearchClick() {
  window_.Guarded([this] {
    TFFilter::Setup setup;
    setup.gateway = window_.call().gateway;
    const int topic =
        window_.settings().ReadInteger(kSectionHelp, kKeyHelpTopicSearch, kDefaultHelpTopicSearch);
    setup.help = [this, topic] {
      try {
        platform::OpenHelpTopic(topic);
      } catch (const std::exception& error) {
        ShowErrorReport(window_.widget(), error.what());
      }
    };
    TFFilter dialog(window_.grid(), std::move(setup), window_.widget());
    connect(&dialog, &TFFilter::SelectionTakenOver, this,
            [this](const std::vector<std::string>& paths) {
              TakeOverSearchSelection(window_.grid(), paths);
            });
    dialog.exec();
  });
}

}  // namespace vemora::ui
