#include "ui/thumbnail_strip.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/window_rules.h"
#include "ui/picture_delegate.h"
#include "ui/thumbnail_model.h"

namespace vemora::ui {

ThumbnailListView::ThumbnailListView(QWidget* parent) : QListView(parent) {
  setObjectName("thumbnailStrip");
  setViewMode(QListView::IconMode);
  setFlow(QListView::TopToBottom);
  setWrapping(false);
  setResizeMode(QListView::Adjust);
  setMovement(QListView::Static);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSpacing(4);
  delegate_ = new ThumbnailDelegate(this);
  setItemDelegate(delegate_);
}

void ThumbnailListView::SetThumbnailSize(int size) {
  delegate_->SetThumbnailSize(size);
  setIconSize(QSize(size, size));
  // Uniform item sizes are measured once; make the view measure again.
  scheduleDelayedItemsLayout();
}

std::vector<int> ThumbnailListView::SelectedRecords() const {
  std::vector<int> rows;
  if (selectionModel() == nullptr) return rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  std::vector<int> records;
  for (int row : rows)
    records.push_back(model()->index(row, 0).data(ThumbnailModel::kRecordIndexRole).toInt());
  return records;
}

void ThumbnailListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const QModelIndex hit = indexAt(event->position().toPoint());
    lastRightClickHit_ = hit.isValid();
    if (hit.isValid()) setCurrentIndex(hit);
  } else {
    QListView::mousePressEvent(event);
  }
  emit focusRecords(SelectedRecords());
}

void ThumbnailListView::contextMenuEvent(QContextMenuEvent* event) {
  if (lastRightClickHit_) emit contextMenuWanted(event->globalPos());
}

void ThumbnailListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit deleteWanted();
    return;
  }
  QListView::keyPressEvent(event);
}

ThumbnailStrip::ThumbnailStrip(ThumbnailModel* model, QWidget* parent)
    : QDockWidget(QStringLiteral(" Thumbnails"), parent) {
  setObjectName("thumbnailPanel");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  view_ = new ThumbnailListView(body);
  view_->setModel(model);
  // Edit above the presets, so the panel can be as narrow as a small thumbnail.
  auto* controls = new QGridLayout;
  controls->setSpacing(2);
  sizeEdit_ = new QSpinBox(body);
  sizeEdit_->setObjectName("thumbnailSizeEdit");
  sizeEdit_->setRange(kThumbnailSizeMin, kThumbnailSizeMax);
  sizeEdit_->setValue(kThumbnailSizeLarge);
  sizeEdit_->installEventFilter(this);
  controls->addWidget(sizeEdit_, 0, 0, 1, 3);
  const std::pair<const char*, int> presets[] = {{"groß", kThumbnailSizeLarge},
                                                 {"mittel", kThumbnailSizeMedium},
                                                 {"klein", kThumbnailSizeSmall}};
  for (const auto& [caption, size] : presets) {
    auto* button = new QPushButton(QString::fromUtf8(caption), body);
    button->setMinimumWidth(10);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    button->setObjectName(QStringLiteral("thumbnailPreset%1").arg(size));
    button->setCheckable(true);
    button->setAutoExclusive(false);
    const int value = size;
    connect(button, &QPushButton::clicked, this, [this, button, value] {
      for (QPushButton* other : presets_) other->setChecked(other == button);
      emit presetChosen(value);
    });
    presets_.push_back(button);
    controls->addWidget(button, 1, static_cast<int>(presets_.size()) - 1);
  }
  connect(sizeEdit_, &QSpinBox::valueChanged, this, [this](int size) {
    if (showing_) return;
    TintForTyping();
    emit sizeTyped(size);
  });
  layout->addWidget(view_, 1);
  layout->addLayout(controls);
  setWidget(body);
}

void ThumbnailStrip::ShowSize(int size) {
  showing_ = true;
  sizeEdit_->setValue(size);
  showing_ = false;
  SetEditColour(palette().color(QPalette::Base));
}

void ThumbnailStrip::TintForPreset() { SetEditColour(palette().color(QPalette::Button)); }

void ThumbnailStrip::TintForTyping() { SetEditColour(QColor::fromRgb(kTypedSizeColour)); }

int ThumbnailStrip::HighestSelectedRow() const {
  int highest = -1;
  if (view_->selectionModel() == nullptr) return highest;
  for (const QModelIndex& index : view_->selectionModel()->selectedIndexes())
    highest = std::max(highest, index.row());
  return highest;
}

void ThumbnailStrip::SelectRow(int row) {
  QAbstractItemModel* model = view_->model();
  if (row < 0 || row >= model->rowCount()) return;
  view_->selectionModel()->select(model->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

bool ThumbnailStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sizeEdit_ && event->type() == QEvent::FocusIn) {
    for (QPushButton* preset : presets_) preset->setChecked(false);
    SetEditColour(palette().color(QPalette::Base));
  }
  return QDockWidget::eventFilter(watched, event);
}

void ThumbnailStrip::SetEditColour(const QColor& colour) {
  QPalette tinted = sizeEdit_->palette();
  tinted.setColor(QPalette::Base, colour);
  sizeEdit_->setPalette(tinted);
}

}  // namespace vemora::ui
