// The thumbnail panel (" Thumbnails"): the strip of record pictures and its size controls
// (the edit for 10 to 200 pixels and the presets "groß", "mittel", "klein"). The strip
// reports what the user did; the window decides what it means for the grid.
#pragma once

#include <QDockWidget>
#include <QListView>

class QPushButton;
class QSpinBox;

namespace vemora::ui {

class ThumbnailDelegate;
class ThumbnailModel;

// The strip itself: clicks focus records, a right-click on a thumbnail asks for the grid's
// context menu, Delete asks for the delete command.
class ThumbnailListView : public QListView {
  Q_OBJECT

 public:
  explicit ThumbnailListView(QWidget* parent = nullptr);
  bool lastRightClickHit() const { return lastRightClickHit_; }
  // Record indices of the selected thumbnails, in strip order.
  std::vector<int> SelectedRecords() const;
  // Thumbnails are size x size pixels plus their caption.
  void SetThumbnailSize(int size);

 signals:
  void focusRecords(const std::vector<int>& records);
  void contextMenuWanted(const QPoint& globalPosition);
  void deleteWanted();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool lastRightClickHit_ = false;
  ThumbnailDelegate* delegate_;
};

class ThumbnailStrip : public QDockWidget {
  Q_OBJECT

 public:
  ThumbnailStrip(ThumbnailModel* model, QWidget* parent = nullptr);

  ThumbnailListView* view() const { return view_; }
  QSpinBox* sizeEdit() const { return sizeEdit_; }
  // Shows a size without it counting as typed; the edit gets the window colour.
  void ShowSize(int size);
  // The edit's colour after a preset: the button face.
  void TintForPreset();
  // The edit's light red while a typed size waits for the timer.
  void TintForTyping();
  // Remembers the highest selected row and selects it again after a rebuild.
  int HighestSelectedRow() const;
  void SelectRow(int row);

 signals:
  void sizeTyped(int size);
  void presetChosen(int size);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetEditColour(const QColor& colour);

  ThumbnailListView* view_;
  QSpinBox* sizeEdit_;
  std::vector<QPushButton*> presets_;
  bool showing_ = false;
};

// The light red of a typed, not yet applied size.
inline constexpr QRgb kTypedSizeColour = 0xFFFFE2E1;

}  // namespace vemora::ui
