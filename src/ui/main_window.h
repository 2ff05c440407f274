// TForm1: the catalogue's main window, one per ShowVemora call.
//
// It owns the call's state, the two settings files, the grid records, the preview cache
// and the prompter; it borrows the host's gateway. Its handlers gather what the user chose
// and call the core (src/catalogue, src/host); a failing handler shows the error and the
// window stays open. The panels are widgets of their own (grid_view.h, single_image_panel.h,
// information_panel.h, thumbnail_strip.h, selection_panel.h, diagnostics_panel.h); this
// class wires them to the records.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/focused_record.h"
#include "catalogue/grid_record.h"
#include "host/call_state.h"
#include "settings/ini_plus.h"
#include "ui/main_actions.h"
#include "ui/preview_cache.h"
#include "ui/qt_prompter.h"

class QLabel;
class QTimer;

namespace vemora::ui {

class DiagnosticsPanel;
class GridModel;
class GridNavigator;
class GridView;
class QtCatalogueDialogs;
class InformationPanel;
class SelectionPanel;
class SingleImagePanel;
class ThumbnailModel;
class ThumbnailStrip;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* owner);
  ~TForm1() override;

  // Opens the settings files and puts the window into its provisional state (host 1,
  // single selection) before the call's own mode is applied.
  void InitialiseForCall(const std::string& settingsFolder, const std::string& imageFolder,
                         const std::string& tempFolder);
  // Mode and host: caption and prompt of the selection panel.
  void ApplyPrompts(int32_t hostId, bool multiSelect);
  // A host's own prompt text; "hide" hides the selection panel.
  void OverridePrompt(const std::string& caption);
  void SetGateway(TDBGateway* gateway, int32_t preselectKey);
  void SetOpenedByHost(bool openedByHost) { call_.openedByHost = openedByHost; }

  // The call's result: -1 in multi-selection mode, else the key taken over last.
  int32_t Result() const { return call_.multiSelect ? -1 : call_.selectedKey; }

  const CallState& call() const { return call_; }
  CatalogueGrid& grid() { return grid_; }
  TIniPlus& settings() { return *settingsIni_; }
  const PreviewCache& previews() const { return previews_; }
  const MainActions& actions() const { return actions_; }

  // Focuses grid record `index` (-1: none) as a click in the grid would.
  void FocusRecord(int index);
  // Sets the mark of grid record `index` as the check box would.
  void SetMark(int index, bool marked);
  // Loads the catalogue into the grid: the wait window, the records, marks, thumbnails,
  // the preselected key and the count.
  void LoadCatalogueIntoGrid();
  // Applies a thumbnail size (mode 1 from THUMBSSIZE, mode 2 the given value).
  void ApplyThumbnailSize(int mode, int size, bool save);
  // The dialogs the changing commands open; tests put scripted ones in (nullptr: the Qt
  // dialogs again). The window does not own them.
  void SetCatalogueDialogs(CatalogueDialogs* dialogs) { dialogs_ = dialogs; }
  // Files dropped onto the window (the drop handler's work, callable without a drag).
  void DropFiles(const std::vector<std::string>& paths);

 public slots:
  void TakeOverClick();
  void RefreshMarksList();
  void RebuildThumbnails();

 signals:
  // Emitted when the window has closed; the call's modal loop ends on it.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildWidgets();
  void ConnectActions();
  void FormShow();
  void ShowFocusedRecord();
  void UpdateCommands();
  void SetCount();
  void FocusedColumnChanged(int item);
  void ChangeMarks(const std::function<void(CatalogueGrid&)>& change);
  void RefreshClick();
  void TimerTick();
  void TestDbClick();
  void RebuildPreviewsClick();
  void SetSelectionPanelVisible(bool visible);
  // The commands that change the catalogue (main_window_change.cpp).
  void ConnectChangeCommands();
  void AddClick();
  void ChangeSourceClick();
  void DeleteClick();
  void DeleteFocusedClick();
  void MarkFocusedClick();
  bool CommitText(int row, int item, const std::string& text);
  // Runs a command that adds or removes records and shows the records as they are
  // afterwards, also when it failed part way; then shows its error.
  void ChangeRecords(const std::function<void()>& command);
  // Thumbnails for the records from `first` on, captioned with their path.
  void AppendThumbnails(int first);
  void ShowCountAndCommands();
  CatalogueDialogs& Dialogs();
  void CloseAfterTakeOverClick(bool checked);
  void SelectionOverviewToggled(bool checked);
  // Runs a handler; an error is shown and the window stays open.
  void Guarded(const std::function<void()>& handler);

  CallState call_;
  CatalogueSession session_;
  CatalogueGrid grid_;
  SingleImageState singleImage_;
  QtPrompter prompter_;
  PreviewCache previews_;
  std::unique_ptr<TIniPlus> thumbsIni_;
  std::unique_ptr<TIniPlus> settingsIni_;
  bool shownOnce_ = false;
  // The one-shot timer's two jobs: showing the selection panel after the window appeared,
  // and applying a typed thumbnail size.
  bool selectionPanelPending_ = false;
  bool thumbnailSizePending_ = false;
  int thumbnailSize_ = 100;

  std::unique_ptr<QtCatalogueDialogs> qtDialogs_;
  CatalogueDialogs* dialogs_ = nullptr;
  bool committingText_ = false;

  MainActions actions_;
  GridModel* gridModel_ = nullptr;
  GridView* cxGrid1_ = nullptr;
  GridNavigator* navigator_ = nullptr;
  SelectionPanel* selectionPanel_ = nullptr;
  SingleImagePanel* singleImagePanel_ = nullptr;
  InformationPanel* informationPanel_ = nullptr;
  ThumbnailModel* thumbnailModel_ = nullptr;
  ThumbnailStrip* thumbnailStrip_ = nullptr;
  DiagnosticsPanel* diagnosticsPanel_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QTimer* oneShotTimer_ = nullptr;
};

}  // namespace vemora::ui
