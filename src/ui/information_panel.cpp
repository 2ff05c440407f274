#include "ui/information_panel.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vemora::ui {

InformationPanel::InformationPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Bildinformationen"), parent) {
  setObjectName("imageInformationPanel");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  fileText_ = new QLabel(body);
  fileText_->setObjectName("fileText");
  fileText_->setWordWrap(true);
  fileText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sizeText_ = new QLabel(body);
  sizeText_->setObjectName("sizeText");
  exifButton_ = new QPushButton(QStringLiteral("EXIF Informationen"), body);
  exifButton_->setObjectName("cxButton4");
  exifButton_->hide();
  layout->addWidget(fileText_);
  layout->addWidget(sizeText_);
  layout->addWidget(exifButton_, 0, Qt::AlignLeft);
  layout->addStretch(1);
  setWidget(body);
  connect(exifButton_, &QPushButton::clicked, this, &InformationPanel::exifRequested);
}

void InformationPanel::SetTexts(const QString& fileText, const QString& sizeText) {
  fileText_->setText(fileText);
  sizeText_->setText(sizeText);
}

QString InformationPanel::fileText() const { return fileText_->text(); }
QString InformationPanel::sizeText() const { return sizeText_->text(); }

void InformationPanel::SetExifShown(bool shown) { exifButton_->setVisible(shown); }

void InformationPanel::SetExifEnabled(bool enabled) { exifButton_->setEnabled(enabled); }

}  // namespace vemora::ui
