// "Ansicht": the grid's bands and headers, the panels ("Einzelbild", "Bildinformationen",
// "Thumbnails", "Auswahlübersicht"), the single image's zoom choice with "Verkleinern" and
// "Vergrößern", the three window styles and the single image's own commands (copy, save,
// tidy up). Every change is written to settings.ini at once ([LAYOUT], [ZOOM], [STYLE]);
// the window's first show restores it.
#pragma once

#include <utility>
#include <vector>

#include "ui/commands/command_group.h"
#include "ui/window_styles.h"

class QActionGroup;
class QComboBox;
class QDockWidget;

namespace vemora::ui {

class EdgeCollapser;
class GridView;
class SelectionPanel;
class SingleImagePanel;

struct ViewPanels {
  SingleImagePanel* singleImage;
  QDockWidget* information;
  QDockWidget* thumbnails;
  SelectionPanel* selection;
};

class ViewCommands : public CommandGroup {
  Q_OBJECT

 public:
  ViewCommands(WindowServices& window, GridView* grid, const ViewPanels& panels);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;
  // After the first load: bands, panels, headers, thumbnails, zoom and style from the
  // settings, in that order; the selection panel unless the host hid it (it comes to the
  // front a second later, once the window has settled).
  void WindowShown() override;
  // The thumbnails as [SETTINGS] HIDETHUMBS and THUMBSVISIBLE say: with HIDETHUMBS, no
  // toggle and no strip; else the strip folds to the window's edge or stays open.
  void ApplyThumbnailSettings();
  // The thumbnail panel's width when open (now, or when it next opens from its tab).
  void SetThumbnailPanelWidth(int width);
  // Writes every band, panel, header, zoom and style state to settings.ini.
  void SaveLayout();
  void SetZoom(int index);
  void SetStyle(WindowStyle style);
  // "Einzelbildanzeige aufräumen": a floating single image goes back beside the image
  // information, 239 pixels high; a docked one stays as it is.
  void TidySingleImage();

 protected:
  // A panel closed by its own close box releases its toggle.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectPanelToggle(QAction* toggle, QDockWidget* panel);
  void SetSelectionPanelVisible(bool visible);
  void SetThumbnailsVisible(bool visible);
  void UpdateZoomBar();
  void SavePicture();

  GridView* grid_;
  ViewPanels panels_;
  EdgeCollapser* thumbnailEdge_;
  QAction* bandInformation_;
  QAction* bandCaptions_;
  QAction* bandKeywords_;
  QAction* singleImage_;
  QAction* imageInformation_;
  QAction* thumbnails_;
  QAction* selectionOverview_;
  QAction* bandHeaders_;
  QAction* columnHeaders_;
  QAction* zoomOut_;
  QAction* zoomIn_;
  QAction* styles_[3];
  QActionGroup* styleGroup_;
  QAction* copyPicture_;
  QAction* savePicture_;
  QAction* tidySingleImage_;
  QComboBox* zoom_;
  QAction* zoomBar_ = nullptr;  // the combo's place in the toolbar
  bool restoring_ = false;      // no saving while the settings are applied
  std::vector<std::pair<QDockWidget*, QAction*>> panelToggles_;
};

}  // namespace vemora::ui
