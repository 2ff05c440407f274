// The diagnostics panel: hidden from the start, opened with Ctrl+Alt+Shift+D. "TestDB"
// checks the preview column, "DB: Bild->vsBild" rebuilds every preview and reloads.
#pragma once

#include <QDockWidget>

class QPushButton;

namespace vemora::ui {

class DiagnosticsPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit DiagnosticsPanel(QWidget* parent = nullptr);

  QPushButton* testButton() const { return testButton_; }
  QPushButton* rebuildButton() const { return rebuildButton_; }

 private:
  QPushButton* testButton_;
  QPushButton* rebuildButton_;
};

}  // namespace vemora::ui
