#include "ui/window_styles.h"

namespace vemora::ui {

QString WindowStyleSheet(WindowStyle style) {
  switch (style) {
    case WindowStyle::Standard:
      // The application's own style, untouched.
      return {};
    case WindowStyle::Office11:
      // Soft blue bands with warm highlights on the buttons.
      return QStringLiteral(
          "QMenuBar { background: #dbe8fb; }"
          "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
          " stop:0 #e3effe, stop:0.5 #c7dcfa, stop:1 #9ebfee);"
          " border: none; border-bottom: 1px solid #6f9ce6; spacing: 3px; padding: 2px; }"
          "QToolBar QToolButton { border: 1px solid transparent; border-radius: 2px;"
          " padding: 2px; }"
          "QToolBar QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
          " stop:0 #fff5cc, stop:1 #ffd98c); border: 1px solid #000080; }"
          "QToolBar QToolButton:checked { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
          " stop:0 #ffd98c, stop:1 #ffba4d); border: 1px solid #000080; }"
          "QDockWidget::title { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
          " stop:0 #e3effe, stop:1 #a9c8f5); border: 1px solid #6f9ce6;"
          " padding: 4px; text-align: left; }"
          "QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
          " stop:0 #c7dcfa, stop:1 #89aee8); border-top: 1px solid #6f9ce6; }");
    case WindowStyle::Xp:
      // Warm grey bands, blue selection frames and silver captions.
      return QStringLiteral(
          "QMenuBar { background: #f4f2e8; }"
          "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
          " stop:0 #fefefb, stop:1 #e6e2d2);"
          " border: none; border-bottom: 1px solid #c5c2b2; spacing: 3px; padding: 2px; }"
          "QToolBar QToolButton { border: 1px solid transparent; padding: 2px; }"
          "QToolBar QToolButton:hover { background: #c1d2ee; border: 1px solid #316ac5; }"
          "QToolBar QToolButton:checked { background: #e1e6f0; border: 1px solid #316ac5; }"
          "QDockWidget::title { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
          " stop:0 #f3f2ec, stop:1 #d6d3c4); border: 1px solid #aca899;"
          " padding: 4px; text-align: left; }"
          "QStatusBar { background: #ece9d8; border-top: 1px solid #aca899; }");
  }
  return {};
}

}  // namespace vemora::ui
