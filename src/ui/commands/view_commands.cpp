#include "ui/commands/view_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>
#include <stdexcept>

#include "settings/settings_keys.h"
#include "ui/banded_header.h"
#include "ui/color_box.h"
#include "ui/edge_collapser.h"
#include "ui/grid_view.h"
#include "ui/selection_panel.h"
#include "ui/single_image_panel.h"
#include "ui/window_styles.h"

namespace vemora::ui {
namespace {

// The single image waits a second before the selection panel comes to the front.
constexpr int kSelectionPanelDelayMs = 1000;
// "Einzelbildanzeige aufräumen" gives the single image this height.
constexpr int kTidySingleImageHeight = 239;

struct BandKey {
  int band;
  std::string_view key;
};
constexpr BandKey kBandKeys[] = {{kBandInformation, kKeyBandInformation},
                                 {kBandCaptions, kKeyBandCaptions},
                                 {kBandKeywords, kKeyBandKeywords},
                                 {kBandDetails, kKeyBandDetails}};

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
  zoomOut_ = MakeAction("zoomOut", QStringLiteral("Verkleinern"),
                        QStringLiteral("Die Ansicht des Einzelbildes wird verkleinert."),
                        QKeySequence::ZoomOut);
  zoomIn_ = MakeAction("zoomIn", QStringLiteral("Vergrößern"),
                       QStringLiteral("Die Ansicht des Einzelbildes wird vergrößert."),
                       QKeySequence::ZoomIn);

  styleGroup_ = new QActionGroup(this);
  styleGroup_->setExclusive(true);
  const char* styleNames[] = {"styleStandard", "styleOffice11", "styleXp"};
  const QString styleCaptions[] = {QStringLiteral("Standard"), QStringLiteral("Office11"),
                                   QStringLiteral("XP")};
  const QString styleHints[] = {QStringLiteral("Herkömmlicher Windows Standardstil."),
                                QStringLiteral("Microsoft Office11 Stil"),
                                QStringLiteral("Windows XP Stil")};
  for (int style = 0; style < 3; ++style) {
    styles_[style] = MakeAction(styleNames[style], styleCaptions[style], styleHints[style]);
    styles_[style]->setCheckable(true);
    styleGroup_->addAction(styles_[style]);
    connect(styles_[style], &QAction::triggered, this,
            [this, style] { SetStyle(static_cast<WindowStyle>(style)); });
  }

  copyPicture_ = MakeAction("copySingleImage", QStringLiteral("Bild kopieren"),
                            QStringLiteral("Das angezeigte Bild in die Zwischenablage kopieren."));
  savePicture_ = MakeAction("saveSingleImage", QStringLiteral("Bild speichern..."),
                            QStringLiteral("Das angezeigte Bild in einer Datei speichern."));
  tidySingleImage_ = MakeAction("tidySingleImage", QStringLiteral("Einzelbildanzeige aufräumen"));
  connect(copyPicture_, &QAction::triggered, this, [this] {
    if (!panels_.singleImage->picture().isNull())
      QGuiApplication::clipboard()->setImage(panels_.singleImage->picture());
  });
  connect(savePicture_, &QAction::triggered, this,
          [this] { window_.Guarded([this] { SavePicture(); }); });
  connect(tidySingleImage_, &QAction::triggered, this, &ViewCommands::TidySingleImage);

  const std::pair<QAction*, int> bandToggles[] = {{bandInformation_, kBandInformation},
                                                  {bandCaptions_, kBandCaptions},
                                                  {bandKeywords_, kBandKeywords}};
  for (const auto& [action, band] : bandToggles) {
    const int which = band;
    connect(action, &QAction::toggled, this,
            [this, which](bool shown) { grid_->SetBandVisible(which, shown); });
    connect(action, &QAction::triggered, this, &ViewCommands::SaveLayout);
  }
  ConnectPanelToggle(singleImage_, panels_.singleImage);
  ConnectPanelToggle(imageInformation_, panels_.information);
  panelToggles_.emplace_back(panels_.thumbnails, thumbnails_);
  panelToggles_.emplace_back(panels_.selection, selectionOverview_);
  panels_.thumbnails->installEventFilter(this);
  panels_.selection->installEventFilter(this);
  connect(singleImage_, &QAction::triggered, this, &ViewCommands::UpdateZoomBar);
  connect(thumbnails_, &QAction::triggered, this, [this](bool shown) {
    SetThumbnailsVisible(shown);
    if (thumbnails_->isChecked()) window_.ApplyStoredThumbnailSize();
    SaveLayout();
  });
  connect(selectionOverview_, &QAction::triggered, this, [this](bool shown) {
    SetSelectionPanelVisible(shown);
    SaveLayout();
  });
  connect(bandHeaders_, &QAction::toggled, this,
          [this](bool shown) { grid_->bandedHeader()->SetBandHeadersVisible(shown); });
  connect(columnHeaders_, &QAction::toggled, this,
          [this](bool shown) { grid_->horizontalHeader()->setVisible(shown); });
  for (QAction* header : {bandHeaders_, columnHeaders_})
    connect(header, &QAction::triggered, this, &ViewCommands::SaveLayout);
  connect(zoom_, &QComboBox::activated, this, &ViewCommands::SetZoom);
  connect(zoomOut_, &QAction::triggered, this,
          [this] { SetZoom(std::max(kZoomSmallest, zoom_->currentIndex() - 1)); });
  connect(zoomIn_, &QAction::triggered, this,
          [this] { SetZoom(std::min(kZoomLargest, zoom_->currentIndex() + 1)); });

  thumbnailEdge_ = new EdgeCollapser(panels_.thumbnails);
}

void ViewCommands::ConnectPanelToggle(QAction* toggle, QDockWidget* panel) {
  connect(toggle, &QAction::triggered, this, [this, panel](bool shown) {
    panel->setVisible(shown);
    SaveLayout();
  });
  panelToggles_.emplace_back(panel, toggle);
  panel->installEventFilter(this);
}

bool ViewCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && window_.widget()->isVisible()) {
    for (const auto& [panel, toggle] : panelToggles_) {
      if (panel != watched) continue;
      toggle->setChecked(false);
      // The panel hides once the event is through; the zoom bar follows then.
      QTimer::singleShot(0, this, [this] {
        UpdateZoomBar();
        SaveLayout();
      });
    }
  }
  return CommandGroup::eventFilter(watched, event);
}

void ViewCommands::AddTo(WindowChrome& chrome) {
  QMenu* menu = chrome.viewMenu();
  menu->addActions({bandInformation_, bandCaptions_, bandKeywords_});
  menu->addSeparator();
  menu->addActions({singleImage_, imageInformation_, thumbnails_, selectionOverview_});
  menu->addSeparator();
  menu->addActions({bandHeaders_, columnHeaders_});
  menu->addSeparator();
  menu->addActions({zoomOut_, zoomIn_});
  menu->addSeparator();
  menu->addActions(styleGroup_->actions());
  zoomBar_ = chrome.AddToToolbar(ToolbarSection::View, zoom_);
  chrome.AddToToolbar(ToolbarSection::View, {zoomOut_, zoomIn_});
  chrome.AddToToolbar(ToolbarSection::Window, {selectionOverview_});
  QMenu* pictureMenu = chrome.smallContextMenu();
  pictureMenu->addSeparator();
  pictureMenu->addActions({copyPicture_, savePicture_, tidySingleImage_});
  connect(pictureMenu, &QMenu::aboutToShow, this, [this] {
    const bool picture =
        !panels_.singleImage->picture().isNull() && !panels_.singleImage->missingImageShown();
    copyPicture_->setEnabled(picture);
    savePicture_->setEnabled(picture);
  });
  UpdateZoomBar();
}

void ViewCommands::UpdateCommands(const CommandStates& states) {
  zoom_->setEnabled(states.recordCommands);
}

void ViewCommands::WindowShown() {
  const TIniPlus& ini = window_.settings();
  restoring_ = true;
  // Bands; "DETAILS" always starts hidden.
  for (const auto& [action, band, key] :
       {std::tuple{bandInformation_, kBandInformation, kKeyBandInformation},
        std::tuple{bandCaptions_, kBandCaptions, kKeyBandCaptions},
        std::tuple{bandKeywords_, kBandKeywords, kKeyBandKeywords}}) {
    const bool shown = ini.ReadBool(kSectionLayout, key, kDefaultBandShown);
    action->setChecked(shown);
    grid_->SetBandVisible(band, shown);
  }
  grid_->SetBandVisible(kBandDetails, false);
  // Panels. The selection panel's key is kept for the layout, but the call decides: it
  // shows unless the host hid it.
  for (const auto& [action, panel, key] :
       {std::tuple<QAction*, QDockWidget*, std::string_view>{singleImage_, panels_.singleImage,
                                                             kKeyPanelSingleImage},
        std::tuple<QAction*, QDockWidget*, std::string_view>{imageInformation_, panels_.information,
                                                             kKeyPanelImageInformation}}) {
    const bool shown = ini.ReadBool(kSectionLayout, key, kDefaultPanelShown);
    action->setChecked(shown);
    panel->setVisible(shown);
  }
  const bool hidden = window_.call().SelectionPanelHidden();
  selectionOverview_->setEnabled(!hidden);
  SetSelectionPanelVisible(!hidden);
  // Headers.
  bandHeaders_->setChecked(ini.ReadBool(kSectionLayout, kKeyBandHeaders, kDefaultBandHeaders));
  grid_->bandedHeader()->SetBandHeadersVisible(bandHeaders_->isChecked());
  columnHeaders_->setChecked(ini.ReadBool(kSectionLayout, kKeyHeaders, kDefaultHeaders));
  grid_->horizontalHeader()->setVisible(columnHeaders_->isChecked());
  // Thumbnails, folded or open by THUMBSVISIBLE; none at all with HIDETHUMBS.
  SetThumbnailsVisible(ini.ReadBool(kSectionLayout, kKeyPanelThumbnails, kDefaultPanelShown));
  ApplyThumbnailSettings();
  SetZoom(ini.ReadInteger(kSectionZoom, kKeyZoomIndex, kDefaultZoomIndex));
  restoring_ = false;
  // As if its menu item had been chosen, which writes the layout.
  const int style = ini.ReadInteger(kSectionStyle, kKeyStyle, kDefaultStyle);
  SetStyle(style >= 0 && style <= 2 ? static_cast<WindowStyle>(style) : WindowStyle::Standard);

  if (!hidden)
    QTimer::singleShot(kSelectionPanelDelayMs, this, [this] {
      SetSelectionPanelVisible(true);
      panels_.selection->raise();
    });
}

void ViewCommands::ApplyThumbnailSettings() {
  const TIniPlus& ini = window_.settings();
  const bool hideThumbs = ini.ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs);
  thumbnails_->setEnabled(!hideThumbs);
  if (hideThumbs) {
    panels_.thumbnails->hide();
    thumbnails_->setChecked(false);
    return;
  }
  if (thumbnails_->isChecked())
    thumbnailEdge_->SetCollapsible(
        ini.ReadInteger(kSectionSettings, kKeyThumbsVisible, kDefaultThumbsVisible) == 0);
}

void ViewCommands::SetThumbnailPanelWidth(int width) { thumbnailEdge_->SetOpenWidth(width); }

void ViewCommands::SetThumbnailsVisible(bool visible) {
  const TIniPlus& ini = window_.settings();
  if (ini.ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs)) visible = false;
  if (visible) {
    auto* main = qobject_cast<QMainWindow*>(window_.widget());
    if (main != nullptr && panels_.thumbnails->isFloating()) panels_.thumbnails->setFloating(false);
    if (main != nullptr && main->dockWidgetArea(panels_.thumbnails) == Qt::NoDockWidgetArea)
      main->addDockWidget(Qt::LeftDockWidgetArea, panels_.thumbnails);
    panels_.thumbnails->show();
    thumbnailEdge_->SetCollapsible(
        ini.ReadInteger(kSectionSettings, kKeyThumbsVisible, kDefaultThumbsVisible) == 0);
  } else {
    panels_.thumbnails->hide();
  }
  thumbnails_->setChecked(visible);
}

void ViewCommands::SetSelectionPanelVisible(bool visible) {
  panels_.selection->setVisible(visible);
  selectionOverview_->setChecked(visible);
}

void ViewCommands::SetZoom(int index) {
  if (index < kZoomFit || index > kZoomLargest) index = kZoomFit;
  {
    const QSignalBlocker quiet(zoom_);
    zoom_->setCurrentIndex(index);
  }
  UpdateZoomBar();
  SaveLayout();
}

void ViewCommands::UpdateZoomBar() {
  if (zoomBar_ == nullptr) return;
  const bool panelShown = singleImage_->isChecked();
  zoomBar_->setVisible(panelShown);
  const bool stepping = panelShown && zoom_->currentIndex() != kZoomFit;
  zoomOut_->setVisible(stepping);
  zoomIn_->setVisible(stepping);
  // The picture is sized again whenever the panel comes or goes.
  panels_.singleImage->SetZoom(zoom_->currentIndex());
}

void ViewCommands::SetStyle(WindowStyle style) {
  const int index = static_cast<int>(style);
  for (int other = 0; other < 3; ++other) styles_[other]->setChecked(other == index);
  window_.widget()->setStyleSheet(WindowStyleSheet(style));
  panels_.singleImage->SetBackground(
      style == WindowStyle::Office11 ? ToQColor(clGradientInactiveCaption) : QColor());
  SaveLayout();
}

void ViewCommands::SaveLayout() {
  if (restoring_) return;
  window_.Guarded([this] {
    TIniPlus& ini = window_.settings();
    for (const BandKey& band : kBandKeys)
      ini.WriteBool(
          kSectionLayout, band.key,
          !grid_->isColumnHidden(
              grid_->bandedHeader()->bands()[static_cast<size_t>(band.band)].columns.front()));
    ini.WriteBool(kSectionLayout, kKeyPanelSingleImage, singleImage_->isChecked());
    ini.WriteBool(kSectionLayout, kKeyPanelImageInformation, imageInformation_->isChecked());
    ini.WriteBool(kSectionLayout, kKeyPanelThumbnails, thumbnails_->isChecked());
    ini.WriteBool(kSectionLayout, kKeyPanelSelection, selectionOverview_->isChecked());
    ini.WriteBool(kSectionLayout, kKeyBandHeaders, bandHeaders_->isChecked());
    ini.WriteBool(kSectionLayout, kKeyHeaders, columnHeaders_->isChecked());
    ini.WriteInteger(kSectionZoom, kKeyZoomIndex, zoom_->currentIndex());
    for (int style = 0; style < 3; ++style)
      if (styles_[style]->isChecked()) ini.WriteInteger(kSectionStyle, kKeyStyle, style);
  });
}

void ViewCommands::TidySingleImage() {
  SingleImagePanel* single = panels_.singleImage;
  if (!single->isFloating()) return;
  single->resize(single->width(), kTidySingleImageHeight);
  single->setFloating(false);
  auto* main = qobject_cast<QMainWindow*>(window_.widget());
  if (main == nullptr) return;
  if (panels_.information->isVisible() && !panels_.information->isFloating())
    main->splitDockWidget(single, panels_.information, Qt::Vertical);
  main->resizeDocks({single}, {kTidySingleImageHeight}, Qt::Vertical);
}

void ViewCommands::SavePicture() {
  const QImage picture = panels_.singleImage->picture();
  if (picture.isNull()) return;
  QString path = QFileDialog::getSaveFileName(
      window_.widget(), QStringLiteral("Bild speichern"), {},
      QStringLiteral("JPEG-Bild (*.jpg *.jpeg);;Bitmap (*.bmp);;PNG-Bild (*.png)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".jpg");
  if (!picture.save(path))
    throw std::runtime_error("Das Bild konnte nicht gespeichert werden: " + path.toStdString());
}

}  // namespace vemora::ui
