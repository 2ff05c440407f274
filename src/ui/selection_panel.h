// The selection panel: the prompt in a rounded box, the list of marked images (multi-
// selection) or the focused image's preview (single selection), "Übernehmen" and
// "nach Übernehmen beenden".
#pragma once

#include <QDockWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vemora::ui {

class SelectionPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit SelectionPanel(QWidget* parent = nullptr);

  QLabel* promptLabel() const { return promptLabel_; }
  QListWidget* markedList() const { return markedList_; }
  QLabel* preview() const { return preview_; }
  QPushButton* takeOverButton() const { return takeOverButton_; }
  QCheckBox* closeAfterTakeOver() const { return closeAfterTakeOver_; }
  // Multi-selection shows the list, single selection the preview.
  void ShowListOrPreview(bool multiSelect);

 private:
  QLabel* promptLabel_;
  QListWidget* markedList_;
  QLabel* preview_;
  QPushButton* takeOverButton_;
  QCheckBox* closeAfterTakeOver_;
};

}  // namespace vemora::ui
