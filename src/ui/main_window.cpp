#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "catalogue/catalogue_load.h"
#include "host/selection_file.h"
#include "host/take_over.h"
#include "platform/paths.h"
#include "settings/settings_keys.h"
#include "ui/grid_model.h"
#include "ui/picture.h"

namespace vemora::ui {
namespace {

constexpr const char* kHidePrompt = "hide";

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// FormCreate.
TForm1::TForm1(QWidget* owner) : QMainWindow(owner, Qt::Window), prompter_(this) {
  setObjectName("TForm1");
  setWindowTitle(QStringLiteral("Galeriekasten"));
  resize(1100, 720);
  session_.prompter = &prompter_;
  BuildWidgets();
}

// FormDestroy: the settings files and the records go with the window.
TForm1::~TForm1() = default;

void TForm1::BuildWidgets() {
  gridModel_ = new GridModel(grid_, this);
  cxGrid1_ = new QTableView(this);
  cxGrid1_->setObjectName("cxGrid1");
  cxGrid1_->setModel(gridModel_);
  cxGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  cxGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  cxGrid1_->setSortingEnabled(false);
  cxGrid1_->horizontalHeader()->setStretchLastSection(true);
  cxGrid1_->setColumnWidth(GridModel::kColumnMark, 22);
  cxGrid1_->setColumnWidth(GridModel::kColumnPicture, 140);
  cxGrid1_->setColumnWidth(GridModel::kColumnName, 200);
  cxGrid1_->verticalHeader()->setDefaultSectionSize(104);
  cxGrid1_->verticalHeader()->hide();
  setCentralWidget(cxGrid1_);
  connect(cxGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            grid_.focused = current.isValid() ? current.row() : -1;
            Guarded([this] { ShowFocusedRecord(); });
          });
  connect(gridModel_, &GridModel::marksChanged, this, &TForm1::RefreshMarksList);

  // The selection panel: prompt, marked list or preview, take-over.
  selectionPanel_ = new QDockWidget(QStringLiteral("ausgewählte(s) Bild(er)"), this);
  selectionPanel_->setObjectName("selectionPanel");
  auto* panel = new QWidget(selectionPanel_);
  auto* layout = new QVBoxLayout(panel);
  auto* promptBox = new QFrame(panel);
  promptBox->setObjectName("promptBox");
  promptBox->setStyleSheet(
      QStringLiteral("#promptBox { border: 1px solid palette(mid); border-radius: 8px; }"));
  auto* promptLayout = new QHBoxLayout(promptBox);
  auto* icon = new QLabel(promptBox);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  promptLabel_ = new QLabel(promptBox);
  promptLabel_->setObjectName("promptLabel");
  promptLabel_->setWordWrap(true);
  promptLayout->addWidget(icon);
  promptLayout->addWidget(promptLabel_, 1);
  markedList_ = new QListWidget(panel);
  markedList_->setObjectName("markedList");
  selectionPreview_ = new QLabel(panel);
  selectionPreview_->setObjectName("selectionPreview");
  selectionPreview_->setAlignment(Qt::AlignCenter);
  selectionPreview_->setMinimumHeight(100);
  takeOverButton_ = new QPushButton(QStringLiteral("Übernehmen"), panel);
  takeOverButton_->setObjectName("takeOverButton");
  closeAfterTakeOver_ = new QCheckBox(QStringLiteral("nach Übernehmen beenden"), panel);
  closeAfterTakeOver_->setObjectName("closeAfterTakeOver");
  layout->addWidget(promptBox);
  layout->addWidget(markedList_, 1);
  layout->addWidget(selectionPreview_, 1);
  layout->addWidget(takeOverButton_);
  layout->addWidget(closeAfterTakeOver_);
  selectionPanel_->setWidget(panel);
  addDockWidget(Qt::RightDockWidgetArea, selectionPanel_);
  connect(takeOverButton_, &QPushButton::clicked, this, &TForm1::TakeOverClick);
  connect(closeAfterTakeOver_, &QCheckBox::clicked, this, &TForm1::CloseAfterTakeOverClick);
  connect(selectionPanel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    // Closing the panel by its own close box releases the toggle.
    if (!visible && !selectionPanel_->isVisible() && isVisible())
      selectionOverviewToggle_->setChecked(false);
  });

  auto* toolbar = addToolBar(QStringLiteral("Galeriekasten"));
  toolbar->setObjectName("mainToolbar");
  selectionOverviewToggle_ = toolbar->addAction(QStringLiteral("Auswahlübersicht"));
  selectionOverviewToggle_->setObjectName("selectionOverviewToggle");
  selectionOverviewToggle_->setToolTip(
      QStringLiteral("Es wird eine Übersicht der ausgewählten Bilder gezeigt"));
  selectionOverviewToggle_->setCheckable(true);
  connect(selectionOverviewToggle_, &QAction::triggered, this, &TForm1::SelectionOverviewToggled);
  quitAction_ = toolbar->addAction(QStringLiteral("Beenden"));
  quitAction_->setObjectName("quitAction");
  quitAction_->setToolTip(QStringLiteral("Die Galeriekasten wird beendet."));
  connect(quitAction_, &QAction::triggered, this, &QWidget::close);

  countLabel_ = new QLabel(this);
  countLabel_->setObjectName("countLabel");
  statusBar()->addWidget(countLabel_);

  oneShotTimer_ = new QTimer(this);
  oneShotTimer_->setSingleShot(true);
  oneShotTimer_->setInterval(1000);
  connect(oneShotTimer_, &QTimer::timeout, this, [this] {
    if (promptLabel_->text() != QLatin1String(kHidePrompt)) {
      selectionPanel_->show();
      selectionPanel_->raise();
    }
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
  settingsIni_->ReadInteger(kSectionConnection, kKeyConnectionMode, 1);
  session_.fileColumn = "File";
  ApplyPrompts(1, false);
  setAcceptDrops(true);
}

void TForm1::ApplyPrompts(int32_t hostId, bool multiSelect) {
  call_.hostId = hostId;
  call_.multiSelect = multiSelect;
  selectionPanel_->setWindowTitle(Q(SelectionPanelCaption(multiSelect)));
  promptLabel_->setText(Q(PromptText(hostId, multiSelect)));
}

void TForm1::OverridePrompt(const std::string& caption) {
  if (!caption.empty()) promptLabel_->setText(Q(caption));
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
  markedList_->setVisible(call_.multiSelect);
  selectionPreview_->setVisible(!call_.multiSelect);
  closeAfterTakeOver_->setChecked(
      settingsIni_->ReadBool(kSectionSettings, kKeyCloseOnTakeOver, true));
  UpdateCommands();
  oneShotTimer_->start();
  const bool hidden = promptLabel_->text() == QLatin1String(kHidePrompt);
  selectionOverviewToggle_->setEnabled(!hidden);
  selectionOverviewToggle_->setChecked(!hidden);
  SetSelectionPanelVisible(!hidden);
}

void TForm1::LoadCatalogueIntoGrid() {
  if (call_.gateway == nullptr) return;
  LoadOptions options;
  options.markedKeys = ReadSelectionFile(call_.SelectionFile());
  // The view shows nothing while the records are replaced; it comes back whatever happens.
  gridModel_->BeginReload();
  try {
    LoadCatalogue(session_, grid_, options);
  } catch (...) {
    gridModel_->EndReload();
    throw;
  }
  gridModel_->EndReload();
  RefreshMarksList();
  if (!call_.multiSelect) {
    FocusPreselectedKey(grid_, call_.preselectKey);
    if (grid_.focused >= 0) FocusRecord(grid_.focused);
  }
  SetCount();
}

void TForm1::FocusRecord(int index) {
  if (index < 0 || index >= static_cast<int>(grid_.records.size())) {
    cxGrid1_->selectionModel()->clearCurrentIndex();
    grid_.focused = -1;
    ShowFocusedRecord();
    return;
  }
  cxGrid1_->setCurrentIndex(gridModel_->index(index, GridModel::kColumnName));
  grid_.focused = index;
  ShowFocusedRecord();
}

void TForm1::SetMark(int index, bool marked) {
  gridModel_->setData(gridModel_->index(index, GridModel::kColumnMark),
                      marked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void TForm1::ShowFocusedRecord() {
  const GridRecord* record = grid_.Focused();
  if (record == nullptr || record->preview.empty()) {
    selectionPreview_->clear();
    UpdateCommands();
    return;
  }
  call_.selectedFileName = platform::FileNamePart(record->filePath.value_or(""));
  if (!call_.multiSelect)
    selectionPreview_->setPixmap(QPixmap::fromImage(PictureFromBytes(record->preview)));
  UpdateCommands();
}

void TForm1::UpdateCommands() {
  const bool focused = grid_.Focused() != nullptr;
  takeOverButton_->setEnabled(call_.multiSelect || focused);
}

void TForm1::SetCount() {
  countLabel_->setText(QStringLiteral("Anzahl Bilder: %1").arg(grid_.records.size()));
}

void TForm1::RefreshMarksList() {
  if (grid_.records.empty()) return;
  markedList_->clear();
  for (const GridRecord& record : grid_.records)
    if (record.marked) markedList_->addItem(Q(record.name));
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
    if (closeAfterTakeOver_->isChecked()) close();
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
  selectionOverviewToggle_->setChecked(visible);
}

// FormClose: commit a cell edit in progress, remember the focused record.
void TForm1::closeEvent(QCloseEvent* event) {
  if (QWidget* focus = QApplication::focusWidget(); focus && cxGrid1_->isAncestorOf(focus))
    setFocus();
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
