#include "ui/commands/view_commands.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>

#include "settings/settings_keys.h"
#include "ui/banded_header.h"
#include "ui/grid_view.h"
#include "ui/selection_panel.h"

namespace vemora::ui {
namespace {

// The single image waits a second before the selection panel comes to the front.
constexpr int kSelectionPanelDelayMs = 1000;

}  // namespace

ViewCommands::ViewCommands(WindowServices& window, GridView* grid, const ViewPanels& panels)
    : CommandGroup(window), grid_(grid), panels_(panels) {
  auto toggle = [this](const char* name, const QString& caption, const QString& hint) {
    QAction* action = MakeAction(name, caption, hint);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
  };
  bandInformation_ = toggle(
      "bandInformationToggle", QStringLiteral("Informationen"),
      QStringLiteral("Informationen über das Bild (Bezeichnung, Beschreibung) ein/ausblenden."));
  bandCaptions_ =
      toggle("bandCaptionsToggle", QStringLiteral("Beschriftung"),
             QStringLiteral("Bildbeschriftungen (Oben, Unten, Links, Rechts) ein/ausblenden."));
  bandKeywords_ = toggle("bandKeywordsToggle", QStringLiteral("Suchbegriffe"),
                         QStringLiteral("Suchbegriffe ein/ausblenden."));
  singleImage_ = toggle("singleImageToggle", QStringLiteral("Einzelbild"),
                        QStringLiteral("Einzelbildansicht ein/ausblenden."));
  imageInformation_ = toggle("imageInformationToggle", QStringLiteral("Bildinformationen"),
                             QStringLiteral("Bildinformationen ein/ausblenden."));
  thumbnails_ = toggle("thumbnailsToggle", QStringLiteral("Thumbnails"),
                       QStringLiteral("Thumbnails ein/ausblenden."));
  selectionOverview_ =
      toggle("selectionOverviewToggle", QStringLiteral("Auswahlübersicht"),
             QStringLiteral("Es wird eine Übersicht der ausgewählten Bilder gezeigt"));
  selectionOverview_->setChecked(false);
  bandHeaders_ = toggle("bandHeadersToggle", QStringLiteral("Tabellenüberschrift"), {});
  columnHeaders_ = toggle("columnHeadersToggle", QStringLiteral("Tabellenkopf"), {});

  zoom_ = new QComboBox(window_.widget());
  zoom_->setObjectName("zoomCombo");
  zoom_->setToolTip(QStringLiteral("Skalieren Sie die Ansicht des Einzelbildes."));
  zoom_->addItems({QStringLiteral("Größe automatisch anpassen"), QStringLiteral("25%"),
                   QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                   QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("175%"),
                   QStringLiteral("200%")});

  const std::pair<QAction*, int> bandToggles[] = {{bandInformation_, kBandInformation},
                                                  {bandCaptions_, kBandCaptions},
                                                  {bandKeywords_, kBandKeywords}};
  for (const auto& [action, band] : bandToggles) {
    const int which = band;
    connect(action, &QAction::toggled, this,
            [this, which](bool shown) { grid_->SetBandVisible(which, shown); });
  }
  ConnectPanelToggle(singleImage_, panels_.singleImage);
  ConnectPanelToggle(imageInformation_, panels_.information);
  ConnectPanelToggle(thumbnails_, panels_.thumbnails);
  connect(selectionOverview_, &QAction::triggered, this, &ViewCommands::SetSelectionPanelVisible);
  connect(panels_.selection, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (!visible && !panels_.selection->isVisible() && window_.widget()->isVisible())
      selectionOverview_->setChecked(false);
  });
  connect(bandHeaders_, &QAction::toggled, this,
          [this](bool shown) { grid_->bandedHeader()->SetBandHeadersVisible(shown); });
  connect(columnHeaders_, &QAction::toggled, this,
          [this](bool shown) { grid_->horizontalHeader()->setVisible(shown); });
}

void ViewCommands::ConnectPanelToggle(QAction* toggle, QDockWidget* panel) {
  connect(toggle, &QAction::triggered, panel, &QDockWidget::setVisible);
  connect(panel, &QDockWidget::visibilityChanged, this, [this, panel, toggle](bool) {
    // Closing a panel by its own close box releases its toggle.
    if (window_.widget()->isVisible() && !panel->isVisible() && !panel->isFloating())
      toggle->setChecked(false);
  });
}

void ViewCommands::AddTo(WindowChrome& chrome) {
  QMenu* menu = chrome.viewMenu();
  menu->addActions({bandInformation_, bandCaptions_, bandKeywords_});
  menu->addSeparator();
  menu->addActions({singleImage_, imageInformation_, thumbnails_, selectionOverview_});
  menu->addSeparator();
  menu->addActions({bandHeaders_, columnHeaders_});
  chrome.AddToToolbar(ToolbarSection::View, zoom_);
  chrome.AddToToolbar(ToolbarSection::Window, {selectionOverview_});
}

void ViewCommands::UpdateCommands(const CommandStates& states) {
  zoom_->setEnabled(states.recordCommands);
}

void ViewCommands::WindowShown() {
  const bool hideThumbs =
      window_.settings().ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs);
  thumbnails_->setEnabled(!hideThumbs);
  if (hideThumbs) {
    panels_.thumbnails->hide();
    thumbnails_->setChecked(false);
  }
  const bool hidden = window_.call().SelectionPanelHidden();
  selectionOverview_->setEnabled(!hidden);
  SetSelectionPanelVisible(!hidden);
  if (!hidden)
    QTimer::singleShot(kSelectionPanelDelayMs, this, [this] {
      SetSelectionPanelVisible(true);
      panels_.selection->raise();
    });
}

void ViewCommands::SetSelectionPanelVisible(bool visible) {
  panels_.selection->setVisible(visible);
  selectionOverview_->setChecked(visible);
}

}  // namespace vemora::ui
