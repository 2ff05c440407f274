#include "ui/commands/command_group.h"

#include <QAction>
#include <QWidget>

namespace vemora::ui {

CommandGroup::CommandGroup(WindowServices& window) : QObject(window.widget()), window_(window) {}

void CommandGroup::FollowFocusAndMarks() { UpdateCommands(CommandStatesFor(window_.grid())); }

QAction* CommandGroup::MakeAction(const char* name, const QString& caption, const QString& hint,
                                  const QKeySequence& shortcut) {
  QWidget* owner = window_.widget();
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) action->setToolTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  owner->addAction(action);
  // A command acts on what the user sees: a cell edit in progress is stored first, as leaving
  // the cell would store it. Connected before the group's handler, this runs first.
  connect(action, &QAction::triggered, this, [this] { window_.EndGridEdit(); });
  return action;
}

}  // namespace vemora::ui
