#include "ui/commands/change_commands.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "catalogue/adding.h"
#include "catalogue/deleting.h"
#include "catalogue/editing.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/qt_prompter.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_strip.h"

namespace vemora::ui {

ChangeCommands::ChangeCommands(WindowServices& window, GridView* grid, GridModel* model,
                               SingleImagePanel* singleImage, ThumbnailListView* strip)
    : CommandGroup(window) {
  add_ = MakeAction("addAction", QStringLiteral("Hinzufügen"),
                    QStringLiteral("Fügt der Galeriekasten ein neues Bild hinzu."),
                    QKeySequence(Qt::Key_Insert));
  changeSource_ =
      MakeAction("changeSourceAction", QStringLiteral("Quelle ändern"),
                 QStringLiteral("Ändert für das aktuelle Bild die zugrunde liegende Dateiquelle."));
  delete_ = MakeAction("deleteAction", QStringLiteral("Löschen"),
                       QStringLiteral("Das Bild wird aus der Galeriekasten gelöscht."),
                       QKeySequence(Qt::Key_Delete));

  connect(add_, &QAction::triggered, this, &ChangeCommands::AddClick);
  connect(changeSource_, &QAction::triggered, this, &ChangeCommands::ChangeSourceClick);
  connect(delete_, &QAction::triggered, this, &ChangeCommands::DeleteClick);
  connect(singleImage, &SingleImagePanel::deleteImageRequested, this,
          &ChangeCommands::DeleteFocusedClick);
  connect(singleImage, &SingleImagePanel::newSourceRequested, this,
          &ChangeCommands::ChangeSourceClick);
  connect(strip, &ThumbnailListView::deleteWanted, delete_, &QAction::trigger);
  connect(grid, &GridView::focusedColumnChanged, this, &ChangeCommands::FocusedColumnChanged);
  model->SetTextCommitter(
      [this](int row, int item, const std::string& text) { return CommitText(row, item, text); });
}

void ChangeCommands::AddTo(WindowChrome& chrome) {
  chrome.AddToToolbar(ToolbarSection::Records, {add_, changeSource_, delete_});
  chrome.AddToContextMenu({add_, changeSource_, delete_});
  chrome.AddToSmallMenu(SmallMenuItem::Delete, delete_);
}

void ChangeCommands::UpdateCommands(const CommandStates& states) {
  changeSource_->setEnabled(states.recordCommands);
  delete_->setEnabled(states.recordCommands);
}

void ChangeCommands::AddClick() {
  window_.RunRecordsCommand(
      [this] { AddImagesFromDialog(window_.session(), window_.grid(), window_.dialogs()); });
}

void ChangeCommands::DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  window_.RunRecordsCommand(
      [&] { AddDroppedFiles(window_.session(), window_.grid(), window_.dialogs(), paths); });
  window_.RebuildThumbnails();
}

bool ChangeCommands::CommitText(int row, int item, const std::string& text) {
  // The error box below takes the focus from the editor, which would commit once more.
  if (committingText_) return false;
  const std::optional<int32_t> selector = EditSelectorForItem(item);
  if (!selector) return false;
  committingText_ = true;
  std::string error;
  try {
    CommitCellEdit(window_.session(), window_.grid(), row, *selector, text);
  } catch (const std::exception& failure) {
    error = failure.what();
  }
  committingText_ = false;
  if (error.empty()) return true;
  // Reported once the editor has closed, outside the view's commit.
  QTimer::singleShot(0, this, [this, error] { ShowErrorReport(window_.widget(), error); });
  return false;
}

void ChangeCommands::ChangeSourceClick() {
  window_.Guarded([this] {
    if (!ChangeImageSource(window_.session(), window_.grid(), window_.dialogs())) return;
    window_.ShowFocusedRecord();
    window_.RebuildThumbnails();
  });
}

void ChangeCommands::DeleteClick() {
  window_.RunRecordsCommand(
      [this] { DeleteImages(window_.session(), window_.grid(), window_.dialogs()); });
  window_.RebuildThumbnails();
}

void ChangeCommands::DeleteFocusedClick() {
  window_.RunRecordsCommand([this] { DeleteFocusedImage(window_.session(), window_.grid()); });
  window_.RebuildThumbnails();
}

void ChangeCommands::FocusedColumnChanged(int item) {
  const bool keysInCell = EditKeysStayInCell(item);
  delete_->setShortcut(keysInCell ? QKeySequence() : QKeySequence(Qt::Key_Delete));
  add_->setShortcut(keysInCell ? QKeySequence() : QKeySequence(Qt::Key_Insert));
}

}  // namespace vemora::ui
