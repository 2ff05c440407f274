// The main window's commands as actions: toolbar, menus and the grid's context menu.
//
// Every command that acts on a record is listed here whether or not its handler exists
// yet; those still without one stay disabled ("unavailable") whatever the focus says.
// The window owns the actions; this struct only groups the pointers.
#pragma once

#include <QList>

class QAction;
class QComboBox;
class QMainWindow;
class QMenu;
class QToolBar;

namespace vemora::ui {

struct MainActions {
  QAction* add = nullptr;                // "Hinzufügen" (Insert)
  QAction* changeSource = nullptr;       // "Quelle ändern"
  QAction* deleteImage = nullptr;        // "Löschen" (Delete)
  QAction* details = nullptr;            // "Details"
  QAction* search = nullptr;             // "Suchen"
  QAction* refresh = nullptr;            // "Aktualisieren" (F5)
  QAction* printSingle = nullptr;        // "Einzelbild drucken"
  QAction* printAll = nullptr;           // "Alles Drucken"
  QAction* paint = nullptr;              // "MS Paint"
  QAction* send = nullptr;               // "Versenden"
  QAction* markAll = nullptr;            // "Alles"
  QAction* markNone = nullptr;           // "Keine"
  QAction* invertMarks = nullptr;        // "Invertieren"
  QAction* replaceKeywords = nullptr;    // "durch Auswahl ersetzen"
  QAction* addKeywords = nullptr;        // "Auswahl hinzufügen"
  QAction* selectionOverview = nullptr;  // "Auswahlübersicht"
  QAction* quit = nullptr;               // "Beenden"
  QAction* diagnostics = nullptr;        // opens the hidden diagnostics panel
  // "Ansicht": the bands and panels.
  QAction* bandInformation = nullptr;
  QAction* bandCaptions = nullptr;
  QAction* bandKeywords = nullptr;
  QAction* singleImage = nullptr;
  QAction* imageInformation = nullptr;
  QAction* thumbnails = nullptr;
  QAction* bandHeaders = nullptr;
  QAction* columnHeaders = nullptr;
  QComboBox* keywordCombo = nullptr;  // "Suchbegriff "
  QComboBox* zoomCombo = nullptr;     // "Ansicht Einzelbild"
  QMenu* fileMenu = nullptr;          // "Datei"
  QMenu* marksMenu = nullptr;         // "&Auswahl"
  QMenu* keywordsMenu = nullptr;      // "Suchbegriffe"
  QMenu* gridContextMenu = nullptr;
  // The small menu of the single image: "Auswählen", "Drucken", "Löschen".
  QAction* markFocused = nullptr;  // "Auswählen"
  QMenu* smallContextMenu = nullptr;
  QToolBar* toolbar = nullptr;

  // Builds everything on the window.
  void Build(QMainWindow* window);
  // The record commands, enabled exactly when a record is focused (and available).
  QList<QAction*> RecordActions() const;
};

// Whether a command's handler exists yet.
bool IsAvailable(const QAction* action);

}  // namespace vemora::ui
