#include "ui/window_chrome.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace vemora::ui {
namespace {

QMenu* NamedMenu(const QString& title, const char* name, QWidget* parent) {
  auto* menu = new QMenu(title, parent);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

WindowChrome::WindowChrome(QMainWindow* window) {
  fileMenu_ = NamedMenu(QStringLiteral("Datei"), "fileMenu", window);
  marksMenu_ = NamedMenu(QStringLiteral("&Auswahl"), "marksMenu", window);
  keywordsMenu_ = NamedMenu(QStringLiteral("Suchbegriffe"), "keywordsMenu", window);
  viewMenu_ = NamedMenu(QStringLiteral("Ansicht"), "viewMenu", window);
  QMenuBar* bar = window->menuBar();
  for (QMenu* menu : {fileMenu_, marksMenu_, keywordsMenu_, viewMenu_}) bar->addMenu(menu);

  gridContextMenu_ = NamedMenu({}, "gridContextMenu", window);
  contextSubmenus_ = gridContextMenu_->addSeparator();
  for (QMenu* menu : {fileMenu_, marksMenu_, keywordsMenu_}) gridContextMenu_->addMenu(menu);
  smallContextMenu_ = NamedMenu({}, "smallContextMenu", window);

  toolbar_ = window->addToolBar(QStringLiteral("Galeriekasten"));
  toolbar_->setObjectName("mainToolbar");
  for (QAction*& end : sectionEnds_) end = toolbar_->addSeparator();
}

void WindowChrome::AddToToolbar(ToolbarSection section, const QList<QAction*>& actions) {
  const int index = static_cast<int>(section);
  QAction* before =
      index < static_cast<int>(ToolbarSection::Count) - 1 ? sectionEnds_[index] : nullptr;
  toolbar_->insertActions(before, actions);
}

void WindowChrome::AddToToolbar(ToolbarSection section, QWidget* widget) {
  const int index = static_cast<int>(section);
  QAction* before =
      index < static_cast<int>(ToolbarSection::Count) - 1 ? sectionEnds_[index] : nullptr;
  toolbar_->insertWidget(before, widget);
}

void WindowChrome::AddToContextMenu(const QList<QAction*>& actions) {
  gridContextMenu_->insertActions(contextSubmenus_, actions);
}

void WindowChrome::Finish() {
  // A separator stays only between two sections that both hold something.
  const QList<QAction*> all = toolbar_->actions();
  bool seenCommand = false;
  QAction* pending = nullptr;
  for (QAction* action : all) {
    if (action->isSeparator()) {
      action->setVisible(false);
      if (seenCommand) pending = action;
      continue;
    }
    if (pending != nullptr) pending->setVisible(true);
    pending = nullptr;
    seenCommand = true;
  }
}

void WindowChrome::SetRecordMenusEnabled(bool enabled) {
  for (QMenu* menu : {fileMenu_, keywordsMenu_, marksMenu_})
    menu->menuAction()->setEnabled(enabled);
}

}  // namespace vemora::ui
