// The diagnostics panel: hidden from the start, opened with Ctrl+Alt+Shift+D. "TestDB"
// checks the preview column, "DB: Bild->vsBild" rebuilds every preview and reloads.
#pragma once

#include <QDockWidget>

namespace vemora::ui {

class DiagnosticsPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit DiagnosticsPanel(QWidget* parent = nullptr);

  // Shows the hidden panel in front.
  void Open();

 signals:
  // "TestDB"
  void testRequested();
  // "DB: Bild->vsBild"
  void rebuildRequested();
};

}  // namespace vemora::ui
