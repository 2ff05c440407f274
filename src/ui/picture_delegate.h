// Paints the grid's picture cells and the thumbnails straight from their pictures. Going
// through an icon would keep a second copy of every picture painted in Qt's process-wide
// pixmap cache, which a large catalogue scrolled from end to end would fill.
#pragma once

#include <QStyledItemDelegate>

namespace vemora::ui {

class PictureDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A thumbnail: its picture centred above its caption, for the same reason.
class ThumbnailDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void SetThumbnailSize(int size) { size_ = size; }
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int size_ = 100;
};

}  // namespace vemora::ui
