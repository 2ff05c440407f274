#include "ui/add_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/picture.h"

namespace vemora::ui {

TBilderAdd::TBilderAdd(QWidget* parent, int maximum, bool tall)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TBilderAdd");
  setWindowTitle(QStringLiteral("Bilder hinzufügen"));
  setFixedSize(400, tall ? 281 : 245);
  progressBar_ = new QProgressBar(this);
  progressBar_->setRange(0, std::max(0, maximum));
  progressBar_->setValue(0);
  pathLabel_ = new QLabel(this);
  pathLabel_->setObjectName("pathLabel");
  pathLabel_->setAlignment(Qt::AlignCenter);

  auto* pictureBox = new QGroupBox(QStringLiteral("Bild"), this);
  preview_ = new QLabel(pictureBox);
  preview_->setObjectName("preview");
  preview_->setAlignment(Qt::AlignCenter);
  auto* pictureLayout = new QVBoxLayout(pictureBox);
  pictureLayout->addWidget(preview_);

  auto* timeBox = new QGroupBox(QStringLiteral("Zeitdauer"), this);
  lastFileTime_ = new QLabel(timeBox);
  lastFileTime_->setObjectName("lastFileTime");
  elapsedTime_ = new QLabel(timeBox);
  elapsedTime_->setObjectName("elapsedTime");
  auto* timeLayout = new QVBoxLayout(timeBox);
  timeLayout->addWidget(new QLabel(QStringLiteral("durchschnittliche Zeit pro Bild:"), timeBox));
  timeLayout->addWidget(lastFileTime_);
  timeLayout->addWidget(new QLabel(QStringLiteral("verstrichene Zeit:"), timeBox));
  timeLayout->addWidget(elapsedTime_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(progressBar_);
  layout->addWidget(pathLabel_);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(pictureBox, 1);
  boxes->addWidget(timeBox, 1);
  layout->addLayout(boxes, 1);
  if (parent != nullptr) move(parent->geometry().center() - rect().center());
}

void TBilderAdd::FileAdded(const std::string& path, std::string_view previewJpeg) {
  progressBar_->setValue(progressBar_->value() + 1);
  pathLabel_->setText(QString::fromStdString(path));
  preview_->setPixmap(QPixmap::fromImage(PictureFromBytes(previewJpeg)));
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TBilderAdd::FileFailed(const std::string& path) {
  pathLabel_->setText(QString::fromStdString(path));
  preview_->clear();
  repaint();
}

void TBilderAdd::ShowTimes(const std::string& lastFile, const std::string& elapsed) {
  lastFileTime_->setText(QString::fromStdString(lastFile));
  elapsedTime_->setText(QString::fromStdString(elapsed));
}

}  // namespace vemora::ui
