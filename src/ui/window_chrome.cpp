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
  imageMenu_ = NamedMenu(QStringLiteral("&Bild"), "imageMenu", window);
  fileMenu_ = NamedMenu(QStringLiteral("Datei"), "fileMenu", window);
  imageMenu_->addMenu(fileMenu_);
  marksMenu_ = NamedMenu(QStringLiteral("&Auswahl"), "marksMenu", window);
  keywordsMenu_ = NamedMenu(QStringLiteral("Suchbegriffe"), "keywordsMenu", window);
  viewMenu_ = NamedMenu(QStringLiteral("Ansicht"), "viewMenu", window);
  QMenuBar* bar = window->menuBar();
  for (QMenu* menu : {imageMenu_, marksMenu_, keywordsMenu_, viewMenu_}) bar->addMenu(menu);

  gridContextMenu_ = NamedMenu({}, "gridContextMenu", window);
  contextSubmenus_ = gridContextMenu_->addSeparator();
  for (QMenu* menu : {fileMenu_, marksMenu_, keywordsMenu_}) gridContextMenu_->addMenu(menu);
  smallContextMenu_ = NamedMenu({}, "smallContextMenu", window);
  for (QAction*& end : smallMenuEnds_) {
    end = smallContextMenu_->addSeparator();
    end->setVisible(false);
  }

  commands_ = window->addToolBar(QStringLiteral("Galeriekasten"));
  commands_->setObjectName("mainToolbar");
  window->addToolBarBreak();
  view_ = window->addToolBar(QStringLiteral("Ansicht"));
  view_->setObjectName("viewToolbar");
  for (int section = 0; section < static_cast<int>(ToolbarSection::Count); ++section) {
    const bool lastOfRow = section == static_cast<int>(ToolbarSection::Output) ||
                           section == static_cast<int>(ToolbarSection::Count) - 1;
    sectionEnds_[section] =
        lastOfRow ? nullptr : toolbar(static_cast<ToolbarSection>(section))->addSeparator();
  }
}

QToolBar* WindowChrome::toolbar(ToolbarSection section) const {
  return section < ToolbarSection::Keywords ? commands_ : view_;
}

void WindowChrome::AddToToolbar(ToolbarSection section, const QList<QAction*>& actions) {
  toolbar(section)->insertActions(sectionEnds_[static_cast<int>(section)], actions);
}

QAction* WindowChrome::AddToToolbar(ToolbarSection section, QWidget* widget) {
  return toolbar(section)->insertWidget(sectionEnds_[static_cast<int>(section)], widget);
}

void WindowChrome::AddToContextMenu(const QList<QAction*>& actions) {
  gridContextMenu_->insertActions(contextSubmenus_, actions);
}

void WindowChrome::AddToSmallMenu(SmallMenuItem item, QAction* action) {
  smallContextMenu_->insertAction(smallMenuEnds_[static_cast<int>(item)], action);
}

void WindowChrome::Finish() {
  // A separator stays only between two sections that both hold something.
  for (QToolBar* row : {commands_, view_}) {
    bool seenCommand = false;
    QAction* pending = nullptr;
    for (QAction* action : row->actions()) {
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
}

void WindowChrome::SetRecordMenusEnabled(bool enabled) {
  for (QMenu* menu : {fileMenu_, keywordsMenu_, marksMenu_})
    menu->menuAction()->setEnabled(enabled);
}

}  // namespace vemora::ui
