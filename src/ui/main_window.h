// TForm1: the catalogue's main window, one per ShowVemora call.
//
// It owns the call's state, the two settings files, the grid records, the preview cache
// and the prompter; it borrows the host's gateway. It assembles the panels and the command
// groups (src/ui/commands): the groups own the commands and their handlers, the window
// loads the catalogue, shows the focused record, keeps the marks list and the thumbnail
// strip, and tells the groups whenever the focus or the marks change.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/focused_record.h"
#include "catalogue/grid_record.h"
#include "host/call_state.h"
#include "settings/ini_plus.h"
#include "ui/preview_cache.h"
#include "ui/qt_prompter.h"
#include "ui/window_services.h"

class QLabel;
class QTimer;

namespace vemora {
class PreviewFeed;
}

namespace vemora::ui {

class ChangeCommands;
class ViewCommands;
class CommandGroup;
class GridModel;
class GridNavigator;
class GridView;
class InformationPanel;
class LiveRefresh;
class QtCatalogueDialogs;
class SelectionPanel;
class SingleImagePanel;
class TakeOverCommands;
class ThumbnailModel;
class ThumbnailStrip;
class WindowChrome;

class TForm1 : public QMainWindow, public WindowServices {
  Q_OBJECT

 public:
  // Opens the call's settings files; the catalogue loads when the window is first shown.
  TForm1(QWidget* owner, const CallOptions& options);
  ~TForm1() override;

  // The call's result: -1 in multi-selection mode, else the key taken over last.
  int32_t Result() const { return call_.multiSelect ? -1 : call_.selectedKey; }

  const PreviewCache& previews() const { return previews_; }
  // The dialogs the changing commands open; tests put scripted ones in (nullptr: the Qt
  // dialogs again). The window does not own them.
  void SetCatalogueDialogs(CatalogueDialogs* dialogs) { dialogs_ = dialogs; }

  // Loads the catalogue into the grid: the wait window, the records, marks, thumbnails,
  // the preselected key and the count.
  void LoadCatalogueIntoGrid();
  // Applies a thumbnail size (mode 1 from THUMBSSIZE, mode 2 the given value).
  void ApplyThumbnailSize(int mode, int size, bool save);
  // Files dropped onto the window (the drop handler's work, callable without a drag).
  void DropFiles(const std::vector<std::string>& paths);
  // "Übernehmen".
  void TakeOverClick();

  // WindowServices
  CallState& call() override { return call_; }
  CatalogueSession& session() override { return session_; }
  CatalogueGrid& grid() override { return grid_; }
  TIniPlus& settings() override { return *settingsIni_; }
  TIniPlus& thumbs() override { return *thumbsIni_; }
  Prompter& prompter() override { return prompter_; }
  CatalogueDialogs& dialogs() override;
  QWidget* widget() override { return this; }
  const SingleImageState& singleImage() override { return singleImage_; }
  void FocusRecord(int index) override;
  void PutKeyboardFocusOnGrid() override;
  void EndGridEdit() override;
  void ApplySettings() override;
  void ShowFocusedRecord() override;
  void RebuildThumbnails() override;
  void ApplyStoredThumbnailSize() override;
  void AwaitPreviews() override;
  void ReloadCatalogue() override;
  void Guarded(const std::function<void()>& handler) override;
  void RunRecordsCommand(const std::function<void()>& command) override;

 public slots:
  void RefreshMarksList();

 signals:
  // Emitted when the window has closed; the call's modal loop ends on it.
  void closed();
  // The focused record or the marks changed: the command groups enable their commands.
  void focusOrMarksChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildWidgets();
  void BuildCommandGroups();
  void ConnectPanels();
  void FormShow();
  // Reads the previews the load left out, when records wait for them.
  void StartPreviewFeed();
  // Gives the previews read so far to their records.
  void TakeArrivedPreviews();
  void SetCount();
  void FocusedColumnChanged(int item);
  void TimerTick();
  // The view's current row became `row`; ignored while a command changes the records.
  void GridFocusMoved(int row);

  CallState call_;
  CatalogueSession session_;
  CatalogueGrid grid_;
  SingleImageState singleImage_;
  QtPrompter prompter_;
  PreviewCache previews_;
  std::unique_ptr<TIniPlus> thumbsIni_;
  std::unique_ptr<TIniPlus> settingsIni_;
  bool shownOnce_ = false;
  // While a command changes the records, the view's own focus moves are not the user's.
  bool recordsChanging_ = false;
  // Applying a typed thumbnail size waits for the one-shot timer.
  bool thumbnailSizePending_ = false;
  int thumbnailSize_ = 100;

  std::unique_ptr<QtCatalogueDialogs> qtDialogs_;
  CatalogueDialogs* dialogs_ = nullptr;

  std::unique_ptr<WindowChrome> chrome_;
  std::vector<CommandGroup*> groups_;
  ChangeCommands* changeCommands_ = nullptr;
  TakeOverCommands* takeOverCommands_ = nullptr;
  ViewCommands* viewCommands_ = nullptr;
  GridModel* gridModel_ = nullptr;
  GridView* cxGrid1_ = nullptr;
  GridNavigator* navigator_ = nullptr;
  SelectionPanel* selectionPanel_ = nullptr;
  SingleImagePanel* singleImagePanel_ = nullptr;
  InformationPanel* informationPanel_ = nullptr;
  ThumbnailModel* thumbnailModel_ = nullptr;
  ThumbnailStrip* thumbnailStrip_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QTimer* oneShotTimer_ = nullptr;
  LiveRefresh* liveRefresh_ = nullptr;
  std::unique_ptr<PreviewFeed> previewFeed_;  // while previews are on their way
};

}  // namespace vemora::ui
