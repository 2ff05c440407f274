#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogue/preview_feed.h"
#include "settings/settings_keys.h"
#include "ui/color_box.h"
#include "ui/commands/browse_commands.h"
#include "ui/commands/change_commands.h"
#include "ui/commands/details_commands.h"
#include "ui/commands/diagnostics_commands.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/hand_off_commands.h"
#include "ui/commands/keyword_commands.h"
#include "ui/commands/options_commands.h"
#include "ui/commands/print_commands.h"
#include "ui/commands/search_commands.h"
#include "ui/commands/take_over_commands.h"
#include "ui/commands/view_commands.h"
#include "ui/diagnostics_panel.h"
#include "ui/german_texts.h"
#include "ui/grid_model.h"
#include "ui/grid_navigator.h"
#include "ui/grid_view.h"
#include "ui/information_panel.h"
#include "ui/live_refresh.h"
#include "ui/qt_catalogue_dialogs.h"
#include "ui/selection_panel.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_model.h"
#include "ui/thumbnail_strip.h"
#include "ui/window_chrome.h"

namespace vemora::ui {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The local files a drag carries, in its order; links to anything else are left out.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  return paths;
}

}  // namespace

// FormCreate: the call's settings files, flags at their start values (missing previews are
// built while loading), an empty thumbnail strip.
TForm1::TForm1(QWidget* owner, const CallOptions& options)
    : QMainWindow(owner, Qt::Window), prompter_(this), previews_(grid_) {
  EnsureGermanQtTexts();
  static_cast<CallOptions&>(call_) = options;
  setObjectName("TForm1");
  setWindowTitle(QStringLiteral("Galeriekasten"));
  resize(1280, 800);
  session_.gateway = call_.gateway;
  session_.prompter = &prompter_;
  session_.imageFolder = call_.imageFolder;
  thumbsIni_ = std::make_unique<TIniPlus>(call_.ThumbsFile());
  settingsIni_ = std::make_unique<TIniPlus>(call_.SettingsFile());
  // Read for compatibility; the file-name column is found by probing the catalogue.
  settingsIni_->ReadInteger(kSectionConnection, kKeyConnectionMode, kDefaultConnectionMode);
  BuildWidgets();
  BuildCommandGroups();
  ConnectPanels();
  // Files may be dropped from the moment the window opens.
  setAcceptDrops(true);
}

// FormDestroy: the settings files, the records and the pictures go with the window. The
// panels hide while QWidget tears them down, after this class is gone: they must not call
// back into it then.
TForm1::~TForm1() {
  previewFeed_.reset();
  grid_.SetObserver(nullptr);
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
  // The views go while the records they show still exist: an open cell editor asks the
  // model for its row as it closes, and QWidget would delete the views only after this
  // window's members are gone.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TForm1::BuildWidgets() {
  gridModel_ = new GridModel(grid_, previews_, this);
  grid_.SetObserver(gridModel_);
  cxGrid1_ = new GridView(this);
  cxGrid1_->setModel(gridModel_);
  navigator_ = new GridNavigator(cxGrid1_, this);
  auto* table = new QWidget(this);
  table->setObjectName("tablePanel");
  auto* tableLayout = new QVBoxLayout(table);
  tableLayout->setContentsMargins(0, 0, 0, 0);
  tableLayout->setSpacing(0);
  tableLayout->addWidget(cxGrid1_, 1);
  tableLayout->addWidget(navigator_);
  setCentralWidget(table);

  singleImagePanel_ = new SingleImagePanel(this);
  informationPanel_ = new InformationPanel(this);
  selectionPanel_ = new SelectionPanel(this);
  selectionPanel_->ShowMode(call_.multiSelect, Q(SelectionPanelCaption(call_.multiSelect)),
                            Q(call_.PromptShown()));
  thumbnailModel_ = new ThumbnailModel(grid_, *gridModel_, previews_, this);
  thumbnailStrip_ = new ThumbnailStrip(thumbnailModel_, this);
  addDockWidget(Qt::RightDockWidgetArea, singleImagePanel_);
  addDockWidget(Qt::RightDockWidgetArea, informationPanel_);
  addDockWidget(Qt::RightDockWidgetArea, selectionPanel_);
  addDockWidget(Qt::LeftDockWidgetArea, thumbnailStrip_);
  resizeDocks({singleImagePanel_}, {340}, Qt::Horizontal);
  resizeDocks({singleImagePanel_, informationPanel_, selectionPanel_}, {300, 110, 260},
              Qt::Vertical);

  countLabel_ = new QLabel(this);
  countLabel_->setObjectName("countLabel");
  statusBar()->addWidget(countLabel_);

  oneShotTimer_ = new QTimer(this);
  oneShotTimer_->setSingleShot(true);
  oneShotTimer_->setInterval(1000);
  connect(oneShotTimer_, &QTimer::timeout, this, &TForm1::TimerTick);

  // Another host's changes arrive while the window is open (gateways with a change feed).
  liveRefresh_ = new LiveRefresh(
      *this, cxGrid1_, statusBar(), &recordsChanging_,
      [this] {
        SetCount();
        RefreshMarksList();
        emit focusOrMarksChanged();
      },
      this);
}

// The groups in the order their commands appear where two groups share a place.
void TForm1::BuildCommandGroups() {
  chrome_ = std::make_unique<WindowChrome>(this);
  auto* diagnostics = new DiagnosticsPanel(this);
  addDockWidget(Qt::BottomDockWidgetArea, diagnostics);
  changeCommands_ =
      new ChangeCommands(*this, cxGrid1_, gridModel_, singleImagePanel_, thumbnailStrip_->view());
  takeOverCommands_ = new TakeOverCommands(*this, selectionPanel_);
  viewCommands_ = new ViewCommands(
      *this, cxGrid1_, {singleImagePanel_, informationPanel_, thumbnailStrip_, selectionPanel_});
  groups_ = {changeCommands_,
             new DetailsCommands(*this, informationPanel_),
             new SearchCommands(*this),
             new BrowseCommands(*this),
             new FileCommands(*this),
             new HandOffCommands(*this),
             new PrintCommands(*this, cxGrid1_),
             new KeywordCommands(*this),
             new OptionsCommands(*this),
             viewCommands_,
             takeOverCommands_,
             new DiagnosticsCommands(*this, diagnostics)};
  for (CommandGroup* group : groups_) {
    group->AddTo(*chrome_);
    connect(this, &TForm1::focusOrMarksChanged, group, &CommandGroup::FollowFocusAndMarks);
  }
  chrome_->Finish();
  connect(this, &TForm1::focusOrMarksChanged, this, [this] {
    const CommandStates states = CommandStatesFor(grid_);
    chrome_->SetRecordMenusEnabled(states.recordCommands);
    informationPanel_->SetExifEnabled(states.recordCommands);
  });
}

void TForm1::ConnectPanels() {
  connect(cxGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            GridFocusMoved(current.isValid() ? current.row() : -1);
          });
  connect(cxGrid1_, &GridView::focusedColumnChanged, this, &TForm1::FocusedColumnChanged);
  connect(cxGrid1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    chrome_->gridContextMenu()->popup(cxGrid1_->viewport()->mapToGlobal(position));
  });
  connect(singleImagePanel_, &SingleImagePanel::contextMenuRequested, this,
          [this](const QPoint& position) { chrome_->smallContextMenu()->popup(position); });

  // The marks list follows every change of marks, names and records.
  // (A mark change arrives as dataChanged too, which refreshes the list.)
  connect(gridModel_, &GridModel::marksChanged, this, &TForm1::focusOrMarksChanged);
  connect(gridModel_, &QAbstractItemModel::dataChanged, this, &TForm1::RefreshMarksList);
  connect(gridModel_, &QAbstractItemModel::rowsRemoved, this, &TForm1::RefreshMarksList);
  connect(gridModel_, &QAbstractItemModel::modelReset, this, &TForm1::RefreshMarksList);

  connect(thumbnailStrip_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) RebuildThumbnails();
  });
  ThumbnailListView* strip = thumbnailStrip_->view();
  connect(strip, &ThumbnailListView::focusRecords, this, [this](const std::vector<int>& records) {
    for (int record : records) FocusRecord(record);
  });
  connect(strip, &ThumbnailListView::contextMenuWanted, this,
          [this](const QPoint& position) { chrome_->gridContextMenu()->popup(position); });
  connect(thumbnailStrip_, &ThumbnailStrip::sizeTyped, this, [this](int) {
    thumbnailSizePending_ = true;
    oneShotTimer_->start();
  });
  connect(thumbnailStrip_, &ThumbnailStrip::presetChosen, this, [this](int size) {
    Guarded([&] { ApplyThumbnailSize(kThumbnailSizeGiven, size, true); });
    thumbnailStrip_->TintForPreset();
  });
}

CatalogueDialogs& TForm1::dialogs() {
  if (dialogs_ != nullptr) return *dialogs_;
  if (!qtDialogs_)
    qtDialogs_ = std::make_unique<QtCatalogueDialogs>(this, *settingsIni_, call_.imageFolder);
  return *qtDialogs_;
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // Let the window paint before the catalogue loads.
  QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TForm1::FormShow() {
  QApplication::processEvents();
  Guarded([this] { LoadCatalogueIntoGrid(); });
  for (CommandGroup* group : groups_) Guarded([group] { group->WindowShown(); });
  Guarded([this] { ApplySettings(); });
  emit focusOrMarksChanged();
}

void TForm1::ApplySettings() {
  singleImagePanel_->SetQualityCaption(
      settingsIni_->ReadInteger(kSectionSettings, kKeyPerformance, kDefaultPerformance));
  viewCommands_->ApplyThumbnailSettings();
  GridLook look;
  look.style = GridStyleFromSetting(
      settingsIni_->ReadInteger(kSectionSettings, kKeyGridStyle, kDefaultGridStyle));
  look.lines = GridLinesFromSetting(
      settingsIni_->ReadInteger(kSectionSettings, kKeyGridLines, kDefaultGridLines));
  look.colour =
      ToQColor(settingsIni_->ReadColor(kSectionSettings, kKeyGridColor, kDefaultGridColor));
  look.autoWidth = settingsIni_->ReadBool(kSectionSettings, kKeyAutoWidth, kDefaultAutoWidth);
  cxGrid1_->SetLook(look);
  navigator_->setVisible(
      settingsIni_->ReadBool(kSectionSettings, kKeyNavigator, kDefaultNavigator));
  thumbnailModel_->SetCaptionsShown(
      settingsIni_->ReadBool(kSectionSettings, kKeyThumbsCaption, kDefaultThumbsCaption));
  ApplyStoredThumbnailSize();
}

void TForm1::EndGridEdit() { cxGrid1_->CommitPendingEdit(); }

void TForm1::TimerTick() {
  if (!thumbnailSizePending_) return;
  thumbnailSizePending_ = false;
  Guarded([this] {
    ApplyThumbnailSize(kThumbnailSizeGiven, thumbnailStrip_->sizeEdit()->value(), true);
  });
}

void TForm1::TakeOverClick() { takeOverCommands_->TakeOverClick(); }

void TForm1::DropFiles(const std::vector<std::string>& paths) { changeCommands_->DropFiles(paths); }

// FormClose: commit a cell edit in progress, remember the focused record.
void TForm1::closeEvent(QCloseEvent* event) {
  if (QWidget* focus = QApplication::focusWidget(); focus && cxGrid1_->isAncestorOf(focus))
    setFocus();
  // The window may close without ever having had the focus (a host closing it).
  cxGrid1_->CommitPendingEdit();
  Guarded(
      [this] { settingsIni_->WriteInteger(kSectionGrid, kKeyLastFocusedRecord, grid_.focused); });
  event->accept();
  emit closed();
}

void TForm1::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorReport(this, error.what());
  }
}

void TForm1::RunRecordsCommand(const std::function<void()>& command) {
  std::string error;
  recordsChanging_ = true;
  try {
    command();
  } catch (const std::exception& failure) {
    error = failure.what();
  }
  recordsChanging_ = false;
  FocusRecord(grid_.focused);
  SetCount();
  if (!error.empty()) ShowErrorReport(this, error);
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
