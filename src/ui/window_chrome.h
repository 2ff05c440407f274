// The main window's toolbar and menus, into which the command groups put their commands.
//
// The toolbar is divided into sections whose order is fixed here, so a group's commands
// land in their place whatever order the groups are built in. The window owns every
// widget; this class only knows where things go.
#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace vemora::ui {

enum class ToolbarSection { Records, Find, Output, Keywords, View, Window, Count };

class WindowChrome {
 public:
  explicit WindowChrome(QMainWindow* window);

  void AddToToolbar(ToolbarSection section, const QList<QAction*>& actions);
  void AddToToolbar(ToolbarSection section, QWidget* widget);
  // Into the grid's context menu, after the commands already there and before its submenus.
  void AddToContextMenu(const QList<QAction*>& actions);
  // Hides the separators of empty sections; call once all groups have placed their commands.
  void Finish();
  // "Datei", "Suchbegriffe" and "&Auswahl" are usable only while a record is focused.
  void SetRecordMenusEnabled(bool enabled);

  QToolBar* toolbar() const { return toolbar_; }
  QMenu* fileMenu() const { return fileMenu_; }          // "Datei"
  QMenu* marksMenu() const { return marksMenu_; }        // "&Auswahl"
  QMenu* keywordsMenu() const { return keywordsMenu_; }  // "Suchbegriffe"
  QMenu* viewMenu() const { return viewMenu_; }          // "Ansicht"
  QMenu* gridContextMenu() const { return gridContextMenu_; }
  // The single image's small menu ("Auswählen", "Drucken", "Löschen").
  QMenu* smallContextMenu() const { return smallContextMenu_; }

 private:
  QToolBar* toolbar_;
  QMenu* fileMenu_;
  QMenu* marksMenu_;
  QMenu* keywordsMenu_;
  QMenu* viewMenu_;
  QMenu* gridContextMenu_;
  QMenu* smallContextMenu_;
  QAction* contextSubmenus_;  // separator before the grid context menu's submenus
  // The separator that ends each section (the last section has none).
  QAction* sectionEnds_[static_cast<int>(ToolbarSection::Count) - 1];
};

}  // namespace vemora::ui
