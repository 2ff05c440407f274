// A group of the main window's commands: it owns their actions (captions, hints,
// shortcuts), places them in the toolbar and menus, enables them by its rule whenever the
// focus or the marks change, and handles them. A handler gathers what the user chose
// (through dialogs) and calls one core function; nothing else of the window changes.
//
// The window creates the groups and owns them (as QObject children); a group's actions
// belong to the window widget, so their shortcuts work anywhere in it.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

#include "catalogue/window_rules.h"
#include "ui/window_chrome.h"
#include "ui/window_services.h"

class QAction;

namespace vemora::ui {

class CommandGroup : public QObject {
  Q_OBJECT

 public:
  explicit CommandGroup(WindowServices& window);

  // Puts the group's commands into the toolbar and the menus.
  virtual void AddTo(WindowChrome& chrome) = 0;
  // The group's enabling rule.
  virtual void UpdateCommands(const CommandStates& states) = 0;
  // Once, after the window's first load: what the group takes from the settings.
  virtual void WindowShown() {}

 public slots:
  // Connected to the window's "focus or marks changed" signal.
  void FollowFocusAndMarks();

 protected:
  // An action of the window, named for tests and for the user's eye. Triggering it first
  // ends a cell edit in progress, storing its text.
  QAction* MakeAction(const char* name, const QString& caption, const QString& hint = {},
                      const QKeySequence& shortcut = {});

  WindowServices& window_;
};

}  // namespace vemora::ui
