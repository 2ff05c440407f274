// The selection panel: the prompt in a rounded box, the list of marked images (multi-
// selection) or the focused image's preview (single selection), "Übernehmen" and
// "nach Übernehmen beenden".
#pragma once

#include <QDockWidget>
#include <string>
#include <vector>

class QCheckBox;
class QImage;
class QLabel;
class QListWidget;
class QPushButton;

namespace vemora::ui {

class SelectionPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit SelectionPanel(QWidget* parent = nullptr);

  // The panel's caption and prompt for the call's mode. Multi-selection shows the list of
  // marked images, single selection the focused image's preview.
  void ShowMode(bool multiSelect, const QString& caption, const QString& prompt);
  // The list of marked images, in record order.
  void ShowMarkedNames(const std::vector<std::string>& names);
  // The focused image, in single-selection mode (a null picture leaves it as it is).
  void ShowPreview(const QImage& picture);
  void SetTakeOverEnabled(bool enabled);
  void SetCloseAfterTakeOver(bool checked);
  bool closeAfterTakeOver() const;

 signals:
  // "Übernehmen" was pressed.
  void takeOverRequested();
  // The user ticked or cleared "nach Übernehmen beenden".
  void closeAfterTakeOverToggled(bool checked);

 private:
  QLabel* promptLabel_;
  QListWidget* markedList_;
  QLabel* preview_;
  QPushButton* takeOverButton_;
  QCheckBox* closeAfterTakeOver_;
};

}  // namespace vemora::ui
