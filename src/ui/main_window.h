// TForm1: the catalogue's main window, one per ShowVemora call.
//
// It owns the call's state, the two settings files, the grid records and the prompter;
// it borrows the host's gateway. Its handlers gather what the user chose and call the core
// (src/catalogue, src/host); a failing handler shows the error and the window stays open.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "host/call_state.h"
#include "settings/ini_plus.h"
#include "ui/qt_prompter.h"

class QAction;
class QCheckBox;
class QDockWidget;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QTimer;

namespace vemora::ui {

class GridModel;

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

  // Focuses grid record `index` (-1: none) as a click in the grid would.
  void FocusRecord(int index);
  // Sets the mark of grid record `index` as the check box would.
  void SetMark(int index, bool marked);

 public slots:
  void TakeOverClick();
  void RefreshMarksList();

 signals:
  // Emitted when the window has closed; the call's modal loop ends on it.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWidgets();
  void FormShow();
  void LoadCatalogueIntoGrid();
  void ShowFocusedRecord();
  void UpdateCommands();
  void SetCount();
  void SetSelectionPanelVisible(bool visible);
  void CloseAfterTakeOverClick(bool checked);
  void SelectionOverviewToggled(bool checked);
  // Runs a handler; an error is shown and the window stays open.
  void Guarded(const std::function<void()>& handler);

  CallState call_;
  CatalogueSession session_;
  CatalogueGrid grid_;
  QtPrompter prompter_;
  std::unique_ptr<TIniPlus> thumbsIni_;
  std::unique_ptr<TIniPlus> settingsIni_;
  bool shownOnce_ = false;

  GridModel* gridModel_ = nullptr;
  QTableView* cxGrid1_ = nullptr;
  QDockWidget* selectionPanel_ = nullptr;
  QLabel* promptLabel_ = nullptr;
  QListWidget* markedList_ = nullptr;
  QLabel* selectionPreview_ = nullptr;
  QPushButton* takeOverButton_ = nullptr;
  QCheckBox* closeAfterTakeOver_ = nullptr;
  QAction* selectionOverviewToggle_ = nullptr;
  QAction* quitAction_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QTimer* oneShotTimer_ = nullptr;
};

}  // namespace vemora::ui
