// "Ansicht": the grid's bands and headers, the panels ("Einzelbild", "Bildinformationen",
// "Thumbnails", "Auswahlübersicht") and the single image's zoom choice.
#pragma once

#include "ui/commands/command_group.h"

class QComboBox;
class QDockWidget;

namespace vemora::ui {

class GridView;
class SelectionPanel;

struct ViewPanels {
  QDockWidget* singleImage;
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
  // After the first load: thumbnails as the settings allow, the selection panel unless the
  // host hid it (it comes to the front a second later, once the window has settled).
  void WindowShown() override;

 private:
  void ConnectPanelToggle(QAction* toggle, QDockWidget* panel);
  void SetSelectionPanelVisible(bool visible);

  GridView* grid_;
  ViewPanels panels_;
  QAction* bandInformation_;
  QAction* bandCaptions_;
  QAction* bandKeywords_;
  QAction* singleImage_;
  QAction* imageInformation_;
  QAction* thumbnails_;
  QAction* selectionOverview_;
  QAction* bandHeaders_;
  QAction* columnHeaders_;
  QComboBox* zoom_;
};

}  // namespace vemora::ui
