#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "host/selection_file.h"
#include "host/take_over.h"
#include "settings/settings_keys.h"
#include "ui/banded_header.h"
#include "ui/diagnostics_panel.h"
#include "ui/grid_model.h"
#include "ui/grid_navigator.h"
#include "ui/grid_view.h"
#include "ui/information_panel.h"
#include "ui/qt_catalogue_dialogs.h"
#include "ui/selection_panel.h"
#include "ui/single_image_panel.h"
#include "ui/thumbnail_model.h"
#include "ui/thumbnail_strip.h"

namespace vemora::ui {
namespace {

constexpr const char* kHidePrompt = "hide";

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// FormCreate: flags at their start values (missing previews are built while loading),
// an empty thumbnail strip.
TForm1::TForm1(QWidget* owner) : QMainWindow(owner, Qt::Window), prompter_(this), previews_(grid_) {
  setObjectName("TForm1");
  setWindowTitle(QStringLiteral("Galeriekasten"));
  resize(1280, 800);
  session_.prompter = &prompter_;
  BuildWidgets();
  ConnectActions();
  ConnectChangeCommands();
  // Files may be dropped from the moment the window opens.
  setAcceptDrops(true);
}

// FormDestroy: the settings files, the records and the pictures go with the window. The
// panels hide while QWidget tears them down, after this class is gone: they must not call
// back into it then.
TForm1::~TForm1() {
  for (QWidget* panel : findChildren<QWidget*>()) panel->disconnect(this);
}

void TForm1::BuildWidgets() {
  actions_.Build(this);

  gridModel_ = new GridModel(grid_, previews_, this);
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
  thumbnailModel_ = new ThumbnailModel(previews_, this);
  thumbnailStrip_ = new ThumbnailStrip(thumbnailModel_, this);
  diagnosticsPanel_ = new DiagnosticsPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, singleImagePanel_);
  addDockWidget(Qt::RightDockWidgetArea, informationPanel_);
  addDockWidget(Qt::RightDockWidgetArea, selectionPanel_);
  addDockWidget(Qt::LeftDockWidgetArea, thumbnailStrip_);
  addDockWidget(Qt::BottomDockWidgetArea, diagnosticsPanel_);
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
}

void TForm1::ConnectActions() {
  connect(cxGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            grid_.focused = current.isValid() ? current.row() : -1;
            Guarded([this] { ShowFocusedRecord(); });
          });
  connect(cxGrid1_, &GridView::focusedColumnChanged, this, &TForm1::FocusedColumnChanged);
  connect(cxGrid1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    actions_.gridContextMenu->popup(cxGrid1_->viewport()->mapToGlobal(position));
  });
  connect(gridModel_, &GridModel::marksChanged, this, &TForm1::RefreshMarksList);

  connect(actions_.markAll, &QAction::triggered, this,
          [this] { ChangeMarks([](CatalogueGrid& grid) { grid.MarkAll(); }); });
  connect(actions_.markNone, &QAction::triggered, this,
          [this] { ChangeMarks([](CatalogueGrid& grid) { grid.UnmarkAll(); }); });
  connect(actions_.invertMarks, &QAction::triggered, this,
          [this] { ChangeMarks([](CatalogueGrid& grid) { grid.InvertMarks(); }); });
  connect(actions_.refresh, &QAction::triggered, this, &TForm1::RefreshClick);
  connect(actions_.quit, &QAction::triggered, this, &QWidget::close);
  connect(actions_.selectionOverview, &QAction::triggered, this, &TForm1::SelectionOverviewToggled);
  connect(actions_.diagnostics, &QAction::triggered, this, [this] {
    diagnosticsPanel_->show();
    diagnosticsPanel_->raise();
  });
  connect(diagnosticsPanel_->testButton(), &QPushButton::clicked, this, &TForm1::TestDbClick);
  connect(diagnosticsPanel_->rebuildButton(), &QPushButton::clicked, this,
          &TForm1::RebuildPreviewsClick);

  // "Ansicht": bands and panels follow their toggles.
  const std::pair<QAction*, int> bandToggles[] = {{actions_.bandInformation, kBandInformation},
                                                  {actions_.bandCaptions, kBandCaptions},
                                                  {actions_.bandKeywords, kBandKeywords}};
  for (const auto& [toggle, band] : bandToggles) {
    const int which = band;
    connect(toggle, &QAction::toggled, this,
            [this, which](bool shown) { cxGrid1_->SetBandVisible(which, shown); });
  }
  const std::pair<QAction*, QDockWidget*> panelToggles[] = {
      {actions_.singleImage, singleImagePanel_},
      {actions_.imageInformation, informationPanel_},
      {actions_.thumbnails, thumbnailStrip_}};
  for (const auto& [toggle, panel] : panelToggles) {
    QDockWidget* dock = panel;
    QAction* action = toggle;
    connect(action, &QAction::triggered, dock, &QDockWidget::setVisible);
    connect(dock, &QDockWidget::visibilityChanged, this, [this, dock, action](bool) {
      // Closing a panel by its own close box releases its toggle.
      if (isVisible() && !dock->isVisible() && !dock->isFloating()) action->setChecked(false);
    });
  }
  connect(thumbnailStrip_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) RebuildThumbnails();
  });
  connect(actions_.bandHeaders, &QAction::toggled, this,
          [this](bool shown) { cxGrid1_->bandedHeader()->SetBandHeadersVisible(shown); });
  connect(actions_.columnHeaders, &QAction::toggled, this,
          [this](bool shown) { cxGrid1_->horizontalHeader()->setVisible(shown); });

  // The selection panel.
  connect(selectionPanel_->takeOverButton(), &QPushButton::clicked, this, &TForm1::TakeOverClick);
  connect(selectionPanel_->closeAfterTakeOver(), &QCheckBox::clicked, this,
          &TForm1::CloseAfterTakeOverClick);
  connect(selectionPanel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (!visible && !selectionPanel_->isVisible() && isVisible())
      actions_.selectionOverview->setChecked(false);
  });

  // The thumbnail strip.
  ThumbnailListView* strip = thumbnailStrip_->view();
  connect(strip, &ThumbnailListView::focusRecords, this, [this](const std::vector<int>& records) {
    for (int record : records) FocusRecord(record);
  });
  connect(strip, &ThumbnailListView::contextMenuWanted, this,
          [this](const QPoint& position) { actions_.gridContextMenu->popup(position); });
  connect(strip, &ThumbnailListView::deleteWanted, this,
          [this] { actions_.deleteImage->trigger(); });
  connect(thumbnailStrip_, &ThumbnailStrip::sizeTyped, this, [this](int) {
    thumbnailSizePending_ = true;
    oneShotTimer_->start();
  });
  connect(thumbnailStrip_, &ThumbnailStrip::presetChosen, this, [this](int size) {
    Guarded([&] { ApplyThumbnailSize(kThumbnailSizeGiven, size, true); });
    thumbnailStrip_->TintForPreset();
  });
}

void TForm1::InitialiseForCall(const std::string& settingsFolder, const std::string& imageFolder,
                               const std::string& tempFolder) {
  call_.settingsFolder = settingsFolder;
  call_.imageFolder = imageFolder;
  call_.tempFolder = tempFolder;
  session_.imageFolder = imageFolder;
  thumbsIni_ = std::make_unique<TIniPlus>(call_.ThumbsFile());
  settingsIni_ = std::make_unique<TIniPlus>(call_.SettingsFile());
  // Read for compatibility; the file-name column is found by probing the catalogue.
  settingsIni_->ReadInteger(kSectionConnection, kKeyConnectionMode, kDefaultConnectionMode);
  session_.fileColumn = "File";
  ApplyPrompts(1, false);
}

void TForm1::ApplyPrompts(int32_t hostId, bool multiSelect) {
  call_.hostId = hostId;
  call_.multiSelect = multiSelect;
  selectionPanel_->setWindowTitle(Q(SelectionPanelCaption(multiSelect)));
  selectionPanel_->promptLabel()->setText(Q(PromptText(hostId, multiSelect)));
}

void TForm1::OverridePrompt(const std::string& caption) {
  if (!caption.empty()) selectionPanel_->promptLabel()->setText(Q(caption));
}

void TForm1::SetGateway(TDBGateway* gateway, int32_t preselectKey) {
  call_.gateway = gateway;
  call_.preselectKey = preselectKey;
  session_.gateway = gateway;
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
  selectionPanel_->ShowListOrPreview(call_.multiSelect);
  if (settingsIni_) {
    selectionPanel_->closeAfterTakeOver()->setChecked(
        settingsIni_->ReadBool(kSectionSettings, kKeyCloseOnTakeOver, kDefaultCloseOnTakeOver));
    actions_.paint->setProperty(
        "externalEditorSet",
        !settingsIni_->ReadString(kSectionSettings, kKeyExternalApp, kDefaultExternalApp).empty());
    singleImagePanel_->SetQualityCaption(
        settingsIni_->ReadInteger(kSectionSettings, kKeyPerformance, kDefaultPerformance));
    const bool hideThumbs =
        settingsIni_->ReadBool(kSectionSettings, kKeyHideThumbs, kDefaultHideThumbs);
    actions_.thumbnails->setEnabled(!hideThumbs);
    if (hideThumbs) {
      thumbnailStrip_->hide();
      actions_.thumbnails->setChecked(false);
    }
    Guarded([this] { ApplyThumbnailSize(kThumbnailSizeFromSettings, 0, false); });
  }
  UpdateCommands();
  selectionPanelPending_ = true;
  oneShotTimer_->start();
  const bool hidden = selectionPanel_->promptLabel()->text() == QLatin1String(kHidePrompt);
  actions_.selectionOverview->setEnabled(!hidden);
  SetSelectionPanelVisible(!hidden);
}

void TForm1::TimerTick() {
  if (thumbnailSizePending_) {
    thumbnailSizePending_ = false;
    Guarded([this] {
      ApplyThumbnailSize(kThumbnailSizeGiven, thumbnailStrip_->sizeEdit()->value(), true);
    });
  }
  if (selectionPanelPending_) {
    selectionPanelPending_ = false;
    if (selectionPanel_->promptLabel()->text() != QLatin1String(kHidePrompt)) {
      selectionPanel_->show();
      selectionPanel_->raise();
    }
  }
}

void TForm1::TakeOverClick() {
  Guarded([this] {
    if (call_.gateway == nullptr) return;
    if (call_.multiSelect) {
      WriteSelectionFile(call_.SelectionFile(), CollectMarkedKeys(*call_.gateway, grid_.Marks()));
    } else {
      call_.selectedKey =
          FindKeyByFileName(*call_.gateway, call_.selectedFileName, call_.selectedKey);
    }
    if (selectionPanel_->closeAfterTakeOver()->isChecked()) close();
  });
}

void TForm1::CloseAfterTakeOverClick(bool checked) {
  Guarded([&] { settingsIni_->WriteBool(kSectionSettings, kKeyCloseOnTakeOver, checked); });
}

void TForm1::SelectionOverviewToggled(bool checked) {
  SetSelectionPanelVisible(checked);
  RefreshMarksList();
}

void TForm1::SetSelectionPanelVisible(bool visible) {
  selectionPanel_->setVisible(visible);
  actions_.selectionOverview->setChecked(visible);
}

// FormClose: commit a cell edit in progress, remember the focused record.
void TForm1::closeEvent(QCloseEvent* event) {
  if (QWidget* focus = QApplication::focusWidget(); focus && cxGrid1_->isAncestorOf(focus))
    setFocus();
  // The window may close without ever having had the focus (a host closing it).
  cxGrid1_->CommitPendingEdit();
  Guarded([this] {
    if (settingsIni_)
      settingsIni_->WriteInteger(kSectionGrid, kKeyLastFocusedRecord, grid_.focused);
  });
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

}  // namespace vemora::ui
