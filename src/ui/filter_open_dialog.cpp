#include "ui/filter_open_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "search/saved_sets.h"
#include "ui/qt_prompter.h"

namespace vemora::ui {
namespace {

QPushButton* Button(const QString& text, const QString& hint, const char* name) {
  auto* button = new QPushButton(text);
  button->setToolTip(hint);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

TFFilterOpen::TFFilterOpen(TDBGateway& gateway, Prompter* prompter, QWidget* parent)
    : QDialog(parent), gateway_(gateway) {
  if (prompter == nullptr) {
    ownPrompter_ = std::make_unique<QtPrompter>(this);
    prompter = ownPrompter_.get();
  }
  prompter_ = prompter;
  setObjectName("TFFilterOpen");
  setWindowTitle(QStringLiteral("Suchoptionen laden"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Wählen Sie die Suchoptionen aus:")));
  list_ = new QListWidget;
  list_->setObjectName("optionSetList");
  layout->addWidget(list_);
  auto* buttons = new QHBoxLayout;
  QPushButton* remove = Button(QStringLiteral("Löschen"),
                               QStringLiteral("ausgewählte Suchoptionen löschen"), "deleteButton");
  QPushButton* open = Button(QStringLiteral("Öffnen"),
                             QStringLiteral("ausgewählte Suchoptionen öffnen"), "openButton");
  QPushButton* cancel =
      Button(QStringLiteral("Abbrechen"), QStringLiteral("Abbrechen"), "cancelButton");
  buttons->addWidget(remove);
  buttons->addStretch();
  buttons->addWidget(open);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  open->setDefault(true);

  connect(open, &QPushButton::clicked, this, &TFFilterOpen::Open);
  connect(list_, &QListWidget::itemDoubleClicked, this, &TFFilterOpen::Open);
  connect(cancel, &QPushButton::clicked, this, &TFFilterOpen::Cancel);
  connect(remove, &QPushButton::clicked, this, [this] {
    try {
      Delete();
    } catch (const std::exception& error) {
      ShowErrorReport(this, error.what());
    }
  });
}

TFFilterOpen::~TFFilterOpen() = default;

void TFFilterOpen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  try {
    FillList();
  } catch (const std::exception& error) {
    ShowErrorReport(this, error.what());
  }
}

void TFFilterOpen::FillList() {
  list_->clear();
  for (const std::string& name : SavedSetNames(gateway_)) {
    list_->addItem(QString::fromStdString(name));
  }
}

std::optional<std::string> TFFilterOpen::SelectedName() {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) {
    prompter_->ShowMessage("Bitte wählen Sie zuerst Suchoptionen aus.");
    return std::nullopt;
  }
  return selected.front()->text().toStdString();
}

void TFFilterOpen::Open() {
  const auto name = SelectedName();
  if (!name) return;
  chosenName_ = *name;
  accept();
}

void TFFilterOpen::Cancel() {
  chosenName_.clear();
  reject();
}

void TFFilterOpen::Delete() {
  const auto name = SelectedName();
  if (name && DeleteSavedSet(gateway_, *prompter_, *name)) FillList();
}

}  // namespace vemora::ui
