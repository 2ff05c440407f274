// TFWaitLoad: the small "please wait" window with a label and a progress bar that long
// catalogue runs show. Advancing the bar lets pending window messages run, so the main
// window stays responsive while the run goes on.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace vemora::ui {

class TFWaitLoad : public QDialog {
  Q_OBJECT

 public:
  explicit TFWaitLoad(QWidget* parent);

  QLabel* label() const { return label_; }
  QProgressBar* progressBar() const { return progressBar_; }

  // Advances the bar by one, repaints and lets pending messages run.
  void Step();

 private:
  QLabel* label_;
  QProgressBar* progressBar_;
};

}  // namespace vemora::ui
