#include "ui/wait_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vemora::ui {

TFWaitLoad::TFWaitLoad(QWidget* parent) : QDialog(parent) {
  setObjectName("TFWaitLoad");
  setWindowTitle(QStringLiteral("Bitte warten Sie kurz"));
  setFixedSize(390, 75);
  label_ = new QLabel(QStringLiteral("Bitte warten Sie kurz, die Bilder werden geladen..."), this);
  progressBar_ = new QProgressBar(this);
  progressBar_->setRange(0, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(progressBar_);
}

void TFWaitLoad::Step() {
  progressBar_->setValue(progressBar_->value() + 1);
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < eventIntervalMs_) return;
  progressBar_->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sinceEvents_.start();
}

}  // namespace vemora::ui
