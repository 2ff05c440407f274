#include "ui/commands/keyword_commands.h"

#include <QMenu>
#include <QWidget>

#include "search/keywords.h"
#include "ui/keyword_tree_combo.h"

namespace vemora::ui {

KeywordCommands::KeywordCommands(WindowServices& window)
    : CommandGroup(window), keywords_(new KeywordActions(this)) {
  window_.widget()->addActions({keywords_->replaceAction(), keywords_->addAction()});
  connect(keywords_->replaceAction(), &QAction::triggered, this, [this] { Apply(true); });
  connect(keywords_->addAction(), &QAction::triggered, this, [this] { Apply(false); });
}

void KeywordCommands::AddTo(WindowChrome& chrome) {
  const QList<QAction*> actions = {keywords_->treeAction(), keywords_->replaceAction(),
                                   keywords_->addAction()};
  chrome.AddToToolbar(ToolbarSection::Keywords, actions);
  chrome.keywordsMenu()->addActions(actions);
}

void KeywordCommands::UpdateCommands(const CommandStates& states) {
  keywords_->SetEnabled(states.recordCommands);
}

void KeywordCommands::Apply(bool replace) {
  window_.EndGridEdit();
  const std::string keyword = keywords_->ChosenKeyword();
  window_.Guarded([&] {
    if (replace)
      ReplaceFocusedKeywords(window_.session(), window_.grid(), keyword);
    else
      AddFocusedKeyword(window_.session(), window_.grid(), keyword);
  });
}

}  // namespace vemora::ui
