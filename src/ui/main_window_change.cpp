// TForm1's commands that change the catalogue: "Hinzufügen" and dropped files, in-place
// text edits, "Quelle ändern" / "neue Quelle...", "Löschen" / "Bild Löschen...". Each
// gathers what the user chose, runs the core command and shows the records as they are
// afterwards, also after a failure; the catalogue files on disk are never touched.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "catalogue/adding.h"
#include "catalogue/deleting.h"
#include "catalogue/editing.h"
#include "catalogue/window_rules.h"
#include "settings/settings_keys.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"
#include "ui/missing_image_panel.h"
#include "ui/painting_suspended.h"
#include "ui/qt_catalogue_dialogs.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_model.h"
#include "ui/thumbnail_strip.h"

namespace vemora::ui {
namespace {

// The local files a drag carries, in its order; links to anything else are left out.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  return paths;
}

}  // namespace

void TForm1::ConnectChangeCommands() {
  connect(actions_.add, &QAction::triggered, this, &TForm1::AddClick);
  connect(actions_.changeSource, &QAction::triggered, this, &TForm1::ChangeSourceClick);
  connect(actions_.deleteImage, &QAction::triggered, this, &TForm1::DeleteClick);
  connect(actions_.markFocused, &QAction::triggered, this, &TForm1::MarkFocusedClick);
  MissingImagePanel* missing = singleImagePanel_->missingImagePanel();
  connect(missing->deleteButton(), &QPushButton::clicked, this, &TForm1::DeleteFocusedClick);
  connect(missing->newSourceButton(), &QPushButton::clicked, this, &TForm1::ChangeSourceClick);
  gridModel_->SetTextCommitter(
      [this](int row, int item, const std::string& text) { return CommitText(row, item, text); });
  QWidget* picture = singleImagePanel_->widget();
  picture->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(picture, &QWidget::customContextMenuRequested, this, [this, picture](const QPoint& at) {
    actions_.smallContextMenu->popup(picture->mapToGlobal(at));
  });
}

CatalogueDialogs& TForm1::Dialogs() {
  if (dialogs_ != nullptr) return *dialogs_;
  if (!settingsIni_) throw std::logic_error("the window has no settings folder");
  if (!qtDialogs_) qtDialogs_ = std::make_unique<QtCatalogueDialogs>(this, *settingsIni_);
  return *qtDialogs_;
}

void TForm1::ChangeRecords(const std::function<void()>& command) {
  std::string error;
  {
    PaintingSuspended suspended{cxGrid1_, thumbnailStrip_->view()};
    const int before = grid_.Count();
    try {
      command();
    } catch (const std::exception& failure) {
      error = failure.what();
    }
    // Positions moved: the model and the picture cache start again from the records.
    if (grid_.Count() != before) {
      const int focus = grid_.focused;
      gridModel_->BeginReload();
      gridModel_->EndReload();
      grid_.focused = focus;
    }
  }
  FocusRecord(grid_.focused);
  ShowCountAndCommands();
  if (!error.empty()) ShowErrorReport(this, error);
}

void TForm1::ShowCountAndCommands() {
  SetCount();
  UpdateCommands();
}

void TForm1::AddClick() {
  const int before = grid_.Count();
  ChangeRecords([this] { AddImagesFromDialog(session_, grid_, Dialogs()); });
  AppendThumbnails(before);
}

void TForm1::DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  ChangeRecords([&] { AddDroppedFiles(session_, grid_, Dialogs(), paths); });
  RebuildThumbnails();
}

void TForm1::AppendThumbnails(int first) {
  if (first >= grid_.Count()) return;
  if (settingsIni_ && settingsIni_->ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs))
    return;
  // The strip no longer pairs with the records (it was never built): build it whole.
  if (thumbnailModel_->rowCount() != first) return RebuildThumbnails();
  std::vector<ThumbnailEntry> entries = ThumbnailEntries(grid_, thumbnailModel_->HasPlaceholder());
  entries.erase(entries.begin(), entries.begin() + first);
  for (ThumbnailEntry& entry : entries)
    entry.caption = grid_.records[static_cast<size_t>(entry.recordIndex)].filePath.value_or("");
  thumbnailModel_->Append(std::move(entries));
}

bool TForm1::CommitText(int row, int item, const std::string& text) {
  // The error box below takes the focus from the editor, which would commit once more.
  if (committingText_) return false;
  const std::optional<int32_t> selector = EditSelectorForItem(item);
  if (!selector) return false;
  committingText_ = true;
  std::string error;
  try {
    CommitCellEdit(session_, grid_, row, *selector, text);
  } catch (const std::exception& failure) {
    error = failure.what();
  }
  committingText_ = false;
  if (error.empty()) {
    if (item == kItemName) {
      RefreshMarksList();
      thumbnailModel_->SetCaption(row, text);
    }
    return true;
  }
  // Reported once the editor has closed, outside the view's commit.
  QTimer::singleShot(0, this, [this, error] { ShowErrorReport(this, error); });
  return false;
}

void TForm1::ChangeSourceClick() {
  Guarded([this] {
    const int row = grid_.focused;
    if (!ChangeImageSource(session_, grid_, Dialogs())) return;
    gridModel_->RecordChanged(row);
    ShowFocusedRecord();
    RebuildThumbnails();
  });
}

void TForm1::DeleteClick() {
  ChangeRecords([this] { DeleteImages(session_, grid_, Dialogs()); });
  RebuildThumbnails();
}

void TForm1::DeleteFocusedClick() {
  ChangeRecords([this] { DeleteFocusedImage(session_, grid_); });
  RebuildThumbnails();
}

void TForm1::MarkFocusedClick() {
  if (grid_.Focused() != nullptr) SetMark(grid_.focused, true);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  DropFiles(paths);
}

}  // namespace vemora::ui
