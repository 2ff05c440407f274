// TFWaitLoad: the small "please wait" window with a label and a progress bar that long
// catalogue runs show. The bar advances every step; pending window messages run at most
// once per event interval, which keeps the window responsive without paying an event-loop
// pass and a repaint for every row of a large catalogue.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace vemora::ui {

class TFWaitLoad : public QDialog {
  Q_OBJECT

 public:
  explicit TFWaitLoad(QWidget* parent);

  QLabel* label() const { return label_; }
  QProgressBar* progressBar() const { return progressBar_; }

  // Advances the bar by one; repaints and lets pending messages run when the event
  // interval has passed since they last ran.
  void Step();
  // 0: every step (the plain behaviour); the default suits a 60 Hz screen.
  void SetEventInterval(int milliseconds) { eventIntervalMs_ = milliseconds; }

 private:
  int eventIntervalMs_ = 16;
  QElapsedTimer sinceEvents_;
  QLabel* label_;
  QProgressBar* progressBar_;
};

}  // namespace vemora::ui
