#include "ui/grid_navigator.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <climits>

namespace vemora::ui {

GridNavigator::GridNavigator(QTableView* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
  setObjectName("navigator");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(1);
  struct Button {
    const char* name;
    QString hint;
    QStyle::StandardPixmap icon;
    int step;
  };
  const int page = -2;  // placeholder: pages are measured when pressed
  const Button buttons[] = {
      {"navigatorFirst", QStringLiteral("Erstes Bild"), QStyle::SP_MediaSkipBackward, INT_MIN},
      {"navigatorPriorPage", QStringLiteral("Vorherige Seite"), QStyle::SP_MediaSeekBackward, page},
      {"navigatorPrior", QStringLiteral("Vorheriges Bild"), QStyle::SP_ArrowLeft, -1},
      {"navigatorNext", QStringLiteral("Nächstes Bild"), QStyle::SP_ArrowRight, 1},
      {"navigatorNextPage", QStringLiteral("Nächste Seite"), QStyle::SP_MediaSeekForward, -page},
      {"navigatorLast", QStringLiteral("Letztes Bild"), QStyle::SP_MediaSkipForward, INT_MAX},
  };
  for (const Button& button : buttons) {
    auto* tool = new QToolButton(this);
    tool->setObjectName(button.name);
    tool->setToolTip(button.hint);
    tool->setIcon(style()->standardIcon(button.icon));
    tool->setAutoRaise(true);
    const int step = button.step;
    connect(tool, &QToolButton::clicked, this, [this, step] { Move(step); });
    layout->addWidget(tool);
  }
  layout->addStretch(1);
}

void GridNavigator::Move(int step) {
  QAbstractItemModel* model = grid_->model();
  if (model == nullptr || model->rowCount() == 0) return;
  const int rows = model->rowCount();
  const QModelIndex current = grid_->currentIndex();
  const int row = current.isValid() ? current.row() : 0;
  const int column = current.isValid() ? current.column() : kNameColumn;
  int target = row;
  if (step == INT_MIN) {
    target = 0;
  } else if (step == INT_MAX) {
    target = rows - 1;
  } else if (step == -2 || step == 2) {
    const int first = grid_->rowAt(0);
    const int last = grid_->rowAt(grid_->viewport()->height() - 1);
    const int perPage = std::max(1, (last < 0 ? rows : last) - std::max(first, 0));
    target = row + (step < 0 ? -perPage : perPage);
  } else {
    target = row + step;
  }
  target = std::clamp(target, 0, rows - 1);
  grid_->setCurrentIndex(model->index(target, column));
  grid_->scrollTo(model->index(target, column));
}

}  // namespace vemora::ui
