#include "ui/delete_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "settings/ini_plus.h"
#include "settings/settings_keys.h"

namespace vemora::ui {

TBildDelete::TBildDelete(QWidget* parent, TIniPlus& settings, const std::string& focusedName,
                         const std::vector<std::string>& markedNames)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      settings_(settings) {
  setObjectName("TBildDelete");
  setWindowTitle(QStringLiteral("Bilder löschen"));
  setFixedSize(443, 280);

  auto* question = new QLabel(
      QStringLiteral("Sie haben ein oder mehrere Bilder ausgewählt. Wollen Sie alle ausgewählten "
                     "Bilder löschen oder nur das aktuell markierte Bild?"),
      this);
  question->setWordWrap(true);

  focusedMode_ = new QRadioButton(QStringLiteral("aktuelles Bild löschen"), this);
  focusedMode_->setObjectName("focusedMode");
  focusedList_ = new QListWidget(this);
  focusedList_->setObjectName("focusedList");
  focusedList_->addItem(QString::fromStdString(focusedName));
  focusedList_->setFixedHeight(focusedList_->sizeHintForRow(0) + 2 * focusedList_->frameWidth());
  markedMode_ = new QRadioButton(QStringLiteral("alle ausgewählten Bilder löschen"), this);
  markedMode_->setObjectName("markedMode");
  markedList_ = new QListWidget(this);
  markedList_->setObjectName("markedList");
  for (const std::string& name : markedNames) markedList_->addItem(QString::fromStdString(name));

  auto* groups = new QGridLayout;
  groups->addWidget(focusedMode_, 0, 0);
  groups->addWidget(new QLabel(QStringLiteral("Bild"), this), 1, 0);
  groups->addWidget(focusedList_, 2, 0, Qt::AlignTop);
  groups->addWidget(markedMode_, 0, 1);
  groups->addWidget(new QLabel(QStringLiteral("Bild(er)"), this), 1, 1);
  groups->addWidget(markedList_, 2, 1);

  auto* note = new QLabel(
      QStringLiteral("Hinweis: Es werden nur die Verweise aus der Galeriekasten gelöscht. Die "
                     "tatsächliche Bilddatei wird nicht gelöscht."),
      this);
  note->setWordWrap(true);

  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  cancel->setObjectName("cancelButton");
  // Two "Löschen" buttons in one place: the one of the chosen mode is shown.
  deleteFocused_ = new QPushButton(QStringLiteral("Löschen"), this);
  deleteFocused_->setObjectName("deleteFocusedButton");
  deleteMarked_ =
      new QPushButton(style()->standardIcon(QStyle::SP_TrashIcon), QStringLiteral("Löschen"), this);
  deleteMarked_->setObjectName("deleteMarkedButton");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(deleteFocused_);
  buttons->addWidget(deleteMarked_);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question);
  layout->addLayout(groups, 1);
  layout->addWidget(note);
  layout->addLayout(buttons);

  connect(focusedMode_, &QRadioButton::clicked, this, [this] { ApplyMode(false, true); });
  connect(markedMode_, &QRadioButton::clicked, this, [this] { ApplyMode(true, true); });
  connect(cancel, &QPushButton::clicked, this, &TBildDelete::reject);
  connect(deleteFocused_, &QPushButton::clicked, this, &QDialog::accept);
  connect(deleteMarked_, &QPushButton::clicked, this, [this] {
    choice_.deleteMarked = true;
    accept();
  });

  const bool marked = settings_.ReadInteger(kSectionSettings, kKeyDeleteMode, 0) == 1;
  (marked ? markedMode_ : focusedMode_)->setChecked(true);
  ApplyMode(marked, false);
}

void TBildDelete::reject() {
  choice_.cancelled = true;
  QDialog::reject();
}

void TBildDelete::ApplyMode(bool deleteMarked, bool remember) {
  focusedList_->setEnabled(!deleteMarked);
  deleteFocused_->setVisible(!deleteMarked);
  deleteFocused_->setEnabled(!deleteMarked);
  markedList_->setEnabled(deleteMarked);
  deleteMarked_->setVisible(deleteMarked);
  deleteMarked_->setEnabled(deleteMarked);
  (deleteMarked ? deleteMarked_ : deleteFocused_)->setFocus();
  if (remember) settings_.WriteInteger(kSectionSettings, kKeyDeleteMode, deleteMarked ? 1 : 0);
}

}  // namespace vemora::ui
