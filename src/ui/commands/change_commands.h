// Changing the catalogue: "Hinzufügen" and dropped files, in-place text edits,
// "Quelle ändern" / "neue Quelle...", "Löschen" / "Bild Löschen...". Each handler gathers
// what the user chose and runs the core command; the view follows the records as the
// command changes them. The catalogue's image files on disk are never touched.
#pragma once

#include <string>
#include <vector>

#include "ui/commands/command_group.h"

namespace vemora::ui {

class GridModel;
class GridView;
class SingleImagePanel;
class ThumbnailListView;

class ChangeCommands : public CommandGroup {
  Q_OBJECT

 public:
  ChangeCommands(WindowServices& window, GridView* grid, GridModel* model,
                 SingleImagePanel* singleImage, ThumbnailListView* strip);

  void AddTo(WindowChrome& chrome) override;
  void UpdateCommands(const CommandStates& states) override;

  // Files dropped onto the window, in the drag's order.
  void DropFiles(const std::vector<std::string>& paths);

 private:
  void AddClick();
  void ChangeSourceClick();
  void DeleteClick();
  void DeleteFocusedClick();
  bool CommitText(int row, int item, const std::string& text);
  // In a text cell Delete and Insert belong to the cell.
  void FocusedColumnChanged(int item);

  QAction* add_;
  QAction* changeSource_;
  QAction* delete_;
  bool committingText_ = false;
};

}  // namespace vemora::ui
