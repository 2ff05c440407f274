#include "ui/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>
#include <filesystem>

namespace vemora::ui {
namespace {

struct FormatEntry {
  const char* text;
  int32_t code;
};
constexpr FormatEntry kFormats[] = {{"wie Original", kConvertUnchanged},
                                    {"BMP (Bitmap)", kConvertToBmp},
                                    {"JPG (komprimiertes Bitmap )", kConvertToJpeg},
                                    {"TIF (tagged image files)", kConvertToTiff}};

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

TBildKonv::TBildKonv(QWidget* parent, Prompter& prompter, const ExportDialogRequest& request)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      prompter_(prompter) {
  setObjectName("TBildKonv");
  setWindowTitle(QStringLiteral("Bilder exportieren"));
  setFixedHeight(544);
  setMinimumWidth(458);

  auto* question = new QLabel(
      QStringLiteral("Sie haben ein oder mehrere Bilder ausgewählt. Wollen Sie alle ausgewählten "
                     "Bilder exportieren oder nur das aktuell markierte Bild?"),
      this);
  question->setWordWrap(true);
  focusedMode_ = new QRadioButton(QStringLiteral("aktuelles Bild exportieren"), this);
  focusedMode_->setObjectName("focusedMode");
  focusedList_ = new QListWidget(this);
  focusedList_->setObjectName("focusedList");
  focusedList_->addItem(FromUtf8(request.focusedName));
  markedMode_ = new QRadioButton(QStringLiteral("alle ausgewählten Bilder exportieren"), this);
  markedMode_->setObjectName("markedMode");
  markedList_ = new QListWidget(this);
  markedList_->setObjectName("markedList");
  for (const std::string& name : request.markedNames) markedList_->addItem(FromUtf8(name));
  // The dialog's height is fixed: the name lists stay short so that the folder tree gets the
  // room to find one's way in.
  for (QListWidget* list : {focusedList_, markedList_})
    list->setMaximumHeight(list->fontMetrics().height() * 5);
  auto* groups = new QGridLayout;
  groups->addWidget(focusedMode_, 0, 0);
  groups->addWidget(new QLabel(QStringLiteral("Bild"), this), 1, 0);
  groups->addWidget(focusedList_, 2, 0);
  groups->addWidget(markedMode_, 0, 1);
  groups->addWidget(new QLabel(QStringLiteral("Bild(er)"), this), 1, 1);
  groups->addWidget(markedList_, 2, 1);

  // Drives become the mounted file systems; the tree shows the folders of the chosen one.
  driveList_ = new QComboBox(this);
  driveList_->setObjectName("driveList");
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) driveList_->addItem(volume.rootPath());
  folderModel_ = new QFileSystemModel(this);
  folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  folderModel_->setRootPath(QString());
  folderTree_ = new QTreeView(this);
  folderTree_->setObjectName("folderTree");
  folderTree_->setModel(folderModel_);
  for (int column = 1; column < folderModel_->columnCount(); ++column)
    folderTree_->hideColumn(column);
  folderTree_->header()->hide();
  folderEdit_ = new QLineEdit(this);
  folderEdit_->setObjectName("folderEdit");

  formatList_ = new QComboBox(this);
  formatList_->setObjectName("formatList");
  for (const FormatEntry& format : kFormats)
    formatList_->addItem(QString::fromUtf8(format.text), format.code);
  writeBack_ = new QCheckBox(QStringLiteral("Neues Format auch in der Datenbank speichern"), this);
  writeBack_->setObjectName("writeBackBox");
  exportFocused_ = new QPushButton(QStringLiteral("Exportieren"), this);
  exportFocused_->setObjectName("exportFocusedButton");
  exportMarked_ = new QPushButton(QStringLiteral("Exportieren"), this);
  exportMarked_->setObjectName("exportMarkedButton");
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  cancel->setObjectName("cancelButton");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(exportFocused_);
  buttons->addWidget(exportMarked_);
  buttons->addStretch(1);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question);
  layout->addLayout(groups);
  layout->addWidget(new QLabel(QStringLiteral("Auswahl des Zielverzeichnisses:"), this));
  layout->addWidget(driveList_);
  layout->addWidget(folderTree_, 1);
  layout->addWidget(
      new QLabel(QStringLiteral("Gewähltes Zielverzeichnis für exportierte Bilder:"), this));
  layout->addWidget(folderEdit_);
  layout->addWidget(new QLabel(QStringLiteral("Zielformat:"), this));
  layout->addWidget(formatList_);
  layout->addWidget(writeBack_);
  layout->addLayout(buttons);

  connect(focusedMode_, &QRadioButton::clicked, this, [this] { ChooseMarked(false); });
  connect(markedMode_, &QRadioButton::clicked, this, [this] { ChooseMarked(true); });
  connect(formatList_, &QComboBox::currentIndexChanged, this, &TBildKonv::FormatChanged);
  connect(driveList_, &QComboBox::activated, this,
          [this](int index) { SetTargetFolder(driveList_->itemText(index)); });
  // The model reads and sorts folders in the background: the tree follows each new batch
  // until the user scrolls or clicks in it. Queued, so that the tree has taken in the rows.
  const auto follow = [this] {
    QMetaObject::invokeMethod(this, &TBildKonv::RevealTargetFolder, Qt::QueuedConnection);
  };
  connect(folderModel_, &QFileSystemModel::rowsInserted, this, follow);
  connect(folderModel_, &QFileSystemModel::layoutChanged, this, follow);
  connect(folderTree_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this] { revealedFolder_.clear(); });
  folderTree_->viewport()->installEventFilter(this);
  folderTree_->installEventFilter(this);
  connect(folderTree_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
    folderTree_->expand(index);
    folderEdit_->setText(QDir::toNativeSeparators(folderModel_->filePath(index)));
  });
  connect(folderEdit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { folderEdit_->setToolTip(text); });
  // A folder typed in is shown in the tree too, with its file system.
  connect(folderEdit_, &QLineEdit::editingFinished, this, [this] {
    const QString typed = folderEdit_->text();
    if (IsFolder(typed) && typed != revealedFolder_) SetTargetFolder(typed);
  });
  connect(exportFocused_, &QPushButton::clicked, this, [this] { Finish(ExportOutcome::Focused); });
  connect(exportMarked_, &QPushButton::clicked, this, [this] { Finish(ExportOutcome::Marked); });
  connect(cancel, &QPushButton::clicked, this, &TBildKonv::reject);

  formatList_->setCurrentIndex(0);
  FormatChanged();
  SetTargetFolder(FromUtf8(request.targetFolder));
  focusedMode_->setChecked(true);
  ChooseMarked(false);
  markedMode_->setEnabled(markedList_->count() > 0);
}

void TBildKonv::SetTargetFolder(const QString& folder) {
  folderEdit_->setText(folder);
  folderEdit_->setToolTip(folder);
  revealedFolder_ = folder;
  RevealTargetFolder();
  for (int i = 0; i < driveList_->count(); ++i) {
    const QString root = driveList_->itemText(i);
    // The longest mount point that holds the folder is its file system.
    if (folder.startsWith(root) && root.size() >= driveList_->currentText().size())
      driveList_->setCurrentIndex(i);
  }
}

void TBildKonv::RevealTargetFolder() {
  if (revealedFolder_.isEmpty()) return;
  const QModelIndex index = folderModel_->index(revealedFolder_);
  if (!index.isValid()) return;
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
    folderTree_->expand(parent);
  folderTree_->setCurrentIndex(index);
  folderTree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool TBildKonv::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)
    revealedFolder_.clear();  // the user takes over the tree
  return QDialog::eventFilter(watched, event);
}

void TBildKonv::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Queued: the tree has its size only once the dialog is laid out.
  QMetaObject::invokeMethod(this, &TBildKonv::RevealTargetFolder, Qt::QueuedConnection);
}

void TBildKonv::ChooseMarked(bool marked) {
  focusedList_->setEnabled(!marked);
  exportFocused_->setEnabled(!marked);
  markedList_->setEnabled(marked);
  exportMarked_->setEnabled(marked);
  (marked ? exportMarked_ : exportFocused_)->setFocus();
}

void TBildKonv::FormatChanged() {
  writeBack_->setEnabled(formatList_->currentData().toInt() != kConvertUnchanged);
}

bool TBildKonv::EnsureFolder() {
  const std::string folder = folderEdit_->text().toStdString();
  if (IsFolder(folderEdit_->text())) return true;
  if (prompter_.Ask("Das Verzeichnis \"" + folder +
                        "\" existiert nicht!\r\nMöchten Sie es vor dem Export erstellen?",
                    false) != Answer::Yes)
    return false;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (IsFolder(folderEdit_->text())) return true;
  prompter_.ShowMessage("Das Verzeichnis\r\n\"" + folder + "\"\r\nkonnte nicht erstellt werden");
  return false;
}

void TBildKonv::StoreFolder() {
  result_.targetFolder = IsFolder(folderEdit_->text()) ? folderEdit_->text().toStdString() : "";
  result_.format = formatList_->currentData().toInt();
  result_.writeBack = writeBack_->isEnabled() && writeBack_->isChecked();
}

void TBildKonv::Finish(ExportOutcome outcome) {
  if (!EnsureFolder()) return;
  result_.outcome = outcome;
  StoreFolder();
  accept();
}

void TBildKonv::reject() {
  result_.outcome = ExportOutcome::Cancelled;
  StoreFolder();
  QDialog::reject();
}

}  // namespace vemora::ui
