#include "ui/main_actions.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace vemora::ui {
namespace {

constexpr const char* kAvailableProperty = "vemoraAvailable";

QAction* MakeAction(QMainWindow* window, const char* name, const QString& caption,
                    const QString& hint, bool available) {
  auto* action = new QAction(caption, window);
  action->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) action->setToolTip(hint);
  action->setProperty(kAvailableProperty, available);
  action->setEnabled(available);
  window->addAction(action);
  return action;
}

QAction* MakeToggle(QMainWindow* window, const char* name, const QString& caption,
                    const QString& hint) {
  QAction* action = MakeAction(window, name, caption, hint, true);
  action->setCheckable(true);
  action->setChecked(true);
  return action;
}

}  // namespace

bool IsAvailable(const QAction* action) { return action->property(kAvailableProperty).toBool(); }

void MainActions::Build(QMainWindow* window) {
  add = MakeAction(window, "addAction", QStringLiteral("Hinzufügen"),
                   QStringLiteral("Fügt der Galeriekasten ein neues Bild hinzu."), true);
  add->setShortcut(QKeySequence(Qt::Key_Insert));
  changeSource = MakeAction(
      window, "changeSourceAction", QStringLiteral("Quelle ändern"),
      QStringLiteral("Ändert für das aktuelle Bild die zugrunde liegende Dateiquelle."), true);
  deleteImage = MakeAction(window, "deleteAction", QStringLiteral("Löschen"),
                           QStringLiteral("Das Bild wird aus der Galeriekasten gelöscht."), true);
  deleteImage->setShortcut(QKeySequence(Qt::Key_Delete));
  details = MakeAction(window, "dxBarLargeButton13", QStringLiteral("Details"),
                       QStringLiteral("Es wird eine Detailmaske der Bilddaten aufgerufen."), false);
  search = MakeAction(window, "searchAction", QStringLiteral("Suchen"), {}, false);
  refresh = MakeAction(window, "refreshAction", QStringLiteral("Aktualisieren"),
                       QStringLiteral("Galeriekasten aktualisieren"), true);
  refresh->setShortcut(QKeySequence(Qt::Key_F5));
  printSingle =
      MakeAction(window, "printSingleAction", QStringLiteral("Einzelbild drucken"), {}, false);
  printAll = MakeAction(window, "printAllAction", QStringLiteral("Alles Drucken"), {}, false);
  paint = MakeAction(window, "paintAction", QStringLiteral("MS Paint"), {}, false);
  send = MakeAction(window, "sendAction", QStringLiteral("Versenden"), {}, false);
  markAll = MakeAction(window, "markAllAction", QStringLiteral("Alles"),
                       QStringLiteral("Es werden alle Bilder der Galeriekasten ausgewählt."), true);
  markNone = MakeAction(window, "markNoneAction", QStringLiteral("Keine"),
                        QStringLiteral("Die Auswahl bestehender Bilder wird gelöscht."), true);
  invertMarks = MakeAction(window, "invertMarksAction", QStringLiteral("Invertieren"),
                           QStringLiteral("Die Auswahl der Bilder wird invertiert."), true);
  replaceKeywords = MakeAction(window, "replaceKeywordsAction",
                               QStringLiteral("durch Auswahl ersetzen"), {}, false);
  addKeywords =
      MakeAction(window, "addKeywordsAction", QStringLiteral("Auswahl hinzufügen"), {}, false);
  selectionOverview =
      MakeAction(window, "selectionOverviewToggle", QStringLiteral("Auswahlübersicht"),
                 QStringLiteral("Es wird eine Übersicht der ausgewählten Bilder gezeigt"), true);
  selectionOverview->setCheckable(true);
  quit = MakeAction(window, "quitAction", QStringLiteral("Beenden"),
                    QStringLiteral("Die Galeriekasten wird beendet."), true);
  diagnostics = MakeAction(window, "diagnosticsAction", QString(), {}, true);
  diagnostics->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_D));

  bandInformation = MakeToggle(
      window, "bandInformationToggle", QStringLiteral("Informationen"),
      QStringLiteral("Informationen über das Bild (Bezeichnung, Beschreibung) ein/ausblenden."));
  bandCaptions =
      MakeToggle(window, "bandCaptionsToggle", QStringLiteral("Beschriftung"),
                 QStringLiteral("Bildbeschriftungen (Oben, Unten, Links, Rechts) ein/ausblenden."));
  bandKeywords = MakeToggle(window, "bandKeywordsToggle", QStringLiteral("Suchbegriffe"),
                            QStringLiteral("Suchbegriffe ein/ausblenden."));
  singleImage = MakeToggle(window, "singleImageToggle", QStringLiteral("Einzelbild"),
                           QStringLiteral("Einzelbildansicht ein/ausblenden."));
  imageInformation =
      MakeToggle(window, "imageInformationToggle", QStringLiteral("Bildinformationen"),
                 QStringLiteral("Bildinformationen ein/ausblenden."));
  thumbnails = MakeToggle(window, "thumbnailsToggle", QStringLiteral("Thumbnails"),
                          QStringLiteral("Thumbnails ein/ausblenden."));
  bandHeaders = MakeToggle(window, "bandHeadersToggle", QStringLiteral("Tabellenüberschrift"), {});
  columnHeaders = MakeToggle(window, "columnHeadersToggle", QStringLiteral("Tabellenkopf"), {});

  keywordCombo = new QComboBox(window);
  keywordCombo->setObjectName("keywordCombo");
  keywordCombo->setToolTip(QStringLiteral("Suchbegriff "));
  keywordCombo->setProperty(kAvailableProperty, false);
  keywordCombo->setEnabled(false);
  keywordCombo->setMinimumContentsLength(12);
  zoomCombo = new QComboBox(window);
  zoomCombo->setObjectName("zoomCombo");
  zoomCombo->setToolTip(QStringLiteral("Skalieren Sie die Ansicht des Einzelbildes."));
  zoomCombo->addItems({QStringLiteral("Größe automatisch anpassen"), QStringLiteral("25%"),
                       QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                       QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("175%"),
                       QStringLiteral("200%")});
  zoomCombo->setProperty(kAvailableProperty, true);

  fileMenu = new QMenu(QStringLiteral("Datei"), window);
  fileMenu->setObjectName("fileMenu");
  marksMenu = new QMenu(QStringLiteral("&Auswahl"), window);
  marksMenu->setObjectName("marksMenu");
  marksMenu->addActions({markAll, markNone, invertMarks});
  keywordsMenu = new QMenu(QStringLiteral("Suchbegriffe"), window);
  keywordsMenu->setObjectName("keywordsMenu");
  keywordsMenu->addActions({replaceKeywords, addKeywords});

  gridContextMenu = new QMenu(window);
  gridContextMenu->setObjectName("gridContextMenu");
  gridContextMenu->addActions({add, changeSource, deleteImage, details});
  gridContextMenu->addSeparator();
  gridContextMenu->addMenu(fileMenu);
  gridContextMenu->addMenu(marksMenu);
  gridContextMenu->addMenu(keywordsMenu);

  markFocused = MakeAction(window, "markFocusedAction", QStringLiteral("Auswählen"), {}, true);
  smallContextMenu = new QMenu(window);
  smallContextMenu->setObjectName("smallContextMenu");
  smallContextMenu->addAction(markFocused);
  // The same command as "Einzelbild drucken", under its short name.
  QAction* printShort = smallContextMenu->addAction(QStringLiteral("Drucken"));
  printShort->setObjectName("printShortAction");
  printShort->setEnabled(false);
  QObject::connect(printSingle, &QAction::changed, printShort, [printShort, single = printSingle] {
    printShort->setEnabled(single->isEnabled());
  });
  QObject::connect(printShort, &QAction::triggered, printSingle, &QAction::trigger);
  smallContextMenu->addAction(deleteImage);

  auto* viewMenu = new QMenu(QStringLiteral("Ansicht"), window);
  viewMenu->setObjectName("viewMenu");
  viewMenu->addActions({bandInformation, bandCaptions, bandKeywords});
  viewMenu->addSeparator();
  viewMenu->addActions({singleImage, imageInformation, thumbnails, selectionOverview});
  viewMenu->addSeparator();
  viewMenu->addActions({bandHeaders, columnHeaders});

  QMenuBar* bar = window->menuBar();
  bar->addMenu(fileMenu);
  bar->addMenu(marksMenu);
  bar->addMenu(keywordsMenu);
  bar->addMenu(viewMenu);

  toolbar = window->addToolBar(QStringLiteral("Galeriekasten"));
  toolbar->setObjectName("mainToolbar");
  toolbar->addActions({add, changeSource, deleteImage, details});
  toolbar->addSeparator();
  toolbar->addActions({search, refresh});
  toolbar->addSeparator();
  toolbar->addActions({printSingle, printAll, paint, send});
  toolbar->addSeparator();
  toolbar->addWidget(keywordCombo);
  toolbar->addActions({replaceKeywords, addKeywords});
  toolbar->addSeparator();
  toolbar->addWidget(zoomCombo);
  toolbar->addSeparator();
  toolbar->addActions({selectionOverview, quit});
}

QList<QAction*> MainActions::RecordActions() const {
  return {changeSource, deleteImage,     printSingle, paint,   details,
          send,         replaceKeywords, addKeywords, refresh, markAll,
          markNone,     invertMarks,     markFocused};
}

}  // namespace vemora::ui
