// The window's side of a shared catalogue: every half second, on the window's thread, the
// gateway's change feed is asked (a local check, no round trip) and another host's changes
// reach the grid without a reload.
//
// The user keeps their place: the focused record, the marks, the first visible row and an
// open cell editor stay (the record being edited takes its news after the edit). Nothing
// happens while a command runs a dialog, a message box or a wait window, because commands
// hold record positions. A short note in the status bar says what changed. Owned by TForm1;
// the window's services and the grid view are borrowed.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "catalogue/live_catalogue.h"

class QLabel;
class QStatusBar;
class QTimer;

namespace vemora::ui {

class GridView;
class WindowServices;

class LiveRefresh : public QObject {
  Q_OBJECT

 public:
  // `recordsChanging` is the window's flag that tells its focus handler to ignore the
  // view's own moves; `recordsChanged` updates the count, marks list and command states.
  LiveRefresh(WindowServices& window, GridView* grid, QStatusBar* statusBar, bool* recordsChanging,
              std::function<void()> recordsChanged, QObject* parent);
  ~LiveRefresh() override;

  // After every load: follows the catalogue from now, when the gateway has a feed.
  void Restart();
  // One poll, as the timer does it (tests call it to avoid waiting for the timer).
  void Tick();
  // The status bar's note on what changed or that the connection is lost.
  QString note() const;
  bool active() const { return live_ != nullptr && live_->started(); }

  static constexpr int kIntervalMilliseconds = 500;

 private:
  bool Busy() const;
  void Note(const QString& text, int timeoutMilliseconds);

  WindowServices& window_;
  GridView* grid_;
  bool* recordsChanging_;
  std::function<void()> recordsChanged_;
  std::unique_ptr<LiveCatalogue> live_;
  QTimer* timer_;
  QLabel* note_ = nullptr;  // "2 Bilder von einem anderen Arbeitsplatz hinzugefügt"
  QTimer* noteTimer_;
  bool connectionLost_ = false;
  int ticksSinceLoss_ = 0;
  static constexpr int kTicksBetweenReconnects = 6;
};

}  // namespace vemora::ui
