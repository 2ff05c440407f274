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

void TFWaitLoad::SetPosition(int position) {
  unshownSteps_ = 0;
  progressBar_->setValue(position);
}

void TFWaitLoad::Step() {
  ++unshownSteps_;
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < eventIntervalMs_) return;
  progressBar_->setValue(progressBar_->value() + unshownSteps_);
  unshownSteps_ = 0;
  progressBar_->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sinceEvents_.start();
}

}  // namespace vemora::ui
