// The record navigator under the grid: first, previous page, previous, next, next page,
// last. It moves the grid's focus as the keyboard would.
#pragma once

#include <QWidget>

class QTableView;

namespace vemora::ui {

class GridNavigator : public QWidget {
  Q_OBJECT

 public:
  GridNavigator(QTableView* grid, QWidget* parent = nullptr);

 private:
  void Move(int step);  // INT_MIN first, INT_MAX last, +-page as rows per view

  static constexpr int kNameColumn = 1;
  QTableView* grid_;
};

}  // namespace vemora::ui
