// The main window's toolbars and menus, into which the command groups put their commands.
//
// The toolbars are divided into sections whose order is fixed here, so a group's commands
// land in their place whatever order the groups are built in. The sections fill two rows,
// so every command stays in reach at 1280 pixels of width without an overflow menu. The
// window owns every widget; this class only knows where things go.
#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace vemora::ui {

// Records, Find and Output make the first row; Keywords, View and Window the second.
enum class ToolbarSection { Records, Find, Output, Keywords, View, Window, Count };

// The single image's small menu lists its commands in this order.
enum class SmallMenuItem { Select, Print, Delete, Count };

class WindowChrome {
 public:
  explicit WindowChrome(QMainWindow* window);

  void AddToToolbar(ToolbarSection section, const QList<QAction*>& actions);
  // The returned action shows or hides the widget in the toolbar.
  QAction* AddToToolbar(ToolbarSection section, QWidget* widget);
  // Into the grid's context menu, after the commands already there and before its submenus.
  void AddToContextMenu(const QList<QAction*>& actions);
  void AddToSmallMenu(SmallMenuItem item, QAction* action);
  // Hides the separators of empty sections; call once all groups have placed their commands.
  void Finish();
  // "Datei", "Suchbegriffe" and "&Auswahl" are usable only while a record is focused.
  void SetRecordMenusEnabled(bool enabled);

  QToolBar* toolbar(ToolbarSection section) const;
  QMenu* imageMenu() const { return imageMenu_; }        // "&Bild"
  QMenu* fileMenu() const { return fileMenu_; }          // "Datei", in "&Bild"
  QMenu* marksMenu() const { return marksMenu_; }        // "&Auswahl"
  QMenu* keywordsMenu() const { return keywordsMenu_; }  // "Suchbegriffe"
  QMenu* viewMenu() const { return viewMenu_; }          // "Ansicht"
  QMenu* gridContextMenu() const { return gridContextMenu_; }
  // The single image's small menu ("Auswählen", "Drucken", "Löschen"); what is appended
  // to it comes after those three.
  QMenu* smallContextMenu() const { return smallContextMenu_; }

 private:
  QToolBar* commands_;  // first row
  QToolBar* view_;      // second row
  QMenu* imageMenu_;
  QMenu* fileMenu_;
  QMenu* marksMenu_;
  QMenu* keywordsMenu_;
  QMenu* viewMenu_;
  QMenu* gridContextMenu_;
  QMenu* smallContextMenu_;
  QAction* contextSubmenus_;  // separator before the grid context menu's submenus
  // Hidden separators that end each item's place in the small menu.
  QAction* smallMenuEnds_[static_cast<int>(SmallMenuItem::Count)];
  // The separator that ends each section (none for the last of a row).
  QAction* sectionEnds_[static_cast<int>(ToolbarSection::Count)];
};

}  // namespace vemora::ui
