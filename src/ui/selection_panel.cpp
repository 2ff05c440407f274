#include "ui/selection_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vemora::ui {

SelectionPanel::SelectionPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("ausgewählte(s) Bild(er)"), parent) {
  setObjectName("selectionPanel");
  auto* panel = new QWidget(this);
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
  preview_ = new QLabel(panel);
  preview_->setObjectName("selectionPreview");
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setMinimumHeight(100);
  takeOverButton_ = new QPushButton(QStringLiteral("Übernehmen"), panel);
  takeOverButton_->setObjectName("takeOverButton");
  closeAfterTakeOver_ = new QCheckBox(QStringLiteral("nach Übernehmen beenden"), panel);
  closeAfterTakeOver_->setObjectName("closeAfterTakeOver");
  layout->addWidget(promptBox);
  layout->addWidget(markedList_, 1);
  layout->addWidget(preview_, 1);
  layout->addWidget(takeOverButton_);
  layout->addWidget(closeAfterTakeOver_);
  setWidget(panel);
  connect(takeOverButton_, &QPushButton::clicked, this, &SelectionPanel::takeOverRequested);
  connect(closeAfterTakeOver_, &QCheckBox::clicked, this,
          &SelectionPanel::closeAfterTakeOverToggled);
}

void SelectionPanel::ShowMode(bool multiSelect, const QString& caption, const QString& prompt) {
  setWindowTitle(caption);
  promptLabel_->setText(prompt);
  markedList_->setVisible(multiSelect);
  preview_->setVisible(!multiSelect);
}

void SelectionPanel::ShowMarkedNames(const std::vector<std::string>& names) {
  markedList_->clear();
  for (const std::string& name : names)
    if (!name.empty()) markedList_->addItem(QString::fromStdString(name));
}

void SelectionPanel::ShowPreview(const QImage& picture) {
  if (picture.isNull()) return;
  preview_->setPixmap(QPixmap::fromImage(picture.scaled(
      preview_->size().expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void SelectionPanel::SetTakeOverEnabled(bool enabled) { takeOverButton_->setEnabled(enabled); }

void SelectionPanel::SetCloseAfterTakeOver(bool checked) {
  closeAfterTakeOver_->setChecked(checked);
}

bool SelectionPanel::closeAfterTakeOver() const { return closeAfterTakeOver_->isChecked(); }

}  // namespace vemora::ui
