// TFWaitLoad: the small "please wait" window with a label and a progress bar that long
// catalogue runs show. Steps are counted every time, but the bar takes them and pending
// window messages run at most once per event interval: moving the bar re-lays its text, and
// doing that, an event-loop pass and a repaint for every row of a large catalogue would cost
// more than reading the row.
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

  // Moves the bar to `position`, dropping steps not shown yet.
  void SetPosition(int position);
  // Advances by one; when the event interval has passed since pending messages last ran,
  // the bar shows every step so far, repaints, and pending messages run.
  void Step();
  // 0: every step (the plain behaviour); the default suits a 60 Hz screen.
  void SetEventInterval(int milliseconds) { eventIntervalMs_ = milliseconds; }

 private:
  int eventIntervalMs_ = 16;
  int unshownSteps_ = 0;
  QElapsedTimer sinceEvents_;
  QLabel* label_;
  QProgressBar* progressBar_;
};

}  // namespace vemora::ui
