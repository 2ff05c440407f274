#include "ui/picture_delegate.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace vemora::ui {
namespace {

void DrawBackground(QPainter* painter, const QStyleOptionViewItem& option) {
  QStyleOptionViewItem background = option;
  background.features &= ~QStyleOptionViewItem::HasDecoration;
  background.icon = QIcon();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
}

}  // namespace

void PictureDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem styled = option;
  initStyleOption(&styled, index);
  DrawBackground(painter, styled);

  const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
  if (picture.isNull()) return;
  const QRect area = option.rect.adjusted(2, 2, -2, -2);
  QSize size = picture.size();
  if (size.width() > area.width() || size.height() > area.height())
    size.scale(area.size(), Qt::KeepAspectRatio);
  const QRect target(area.topLeft(), size);
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  painter->drawImage(target, picture);
  painter->restore();
}

QSize PictureDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  // Previews are 100 pixels high; the width follows the column.
  return {140, 104};
}

}  // namespace vemora::ui

namespace vemora::ui {

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyleOptionViewItem styled = option;
  initStyleOption(&styled, index);
  DrawBackground(painter, styled);
  const QRect area = option.rect.adjusted(4, 4, -4, -4);
  const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
  if (!picture.isNull()) {
    // Centred in its size x size box, so captions line up whatever the picture's shape.
    const QPoint corner(area.left() + (area.width() - picture.width()) / 2,
                        area.top() + (size_ - picture.height()) / 2);
    painter->drawPixmap(corner, picture);
  }
  const QString caption = index.data(Qt::DisplayRole).toString();
  if (caption.isEmpty()) return;
  const QRect text(area.left(), area.top() + size_ + 2, area.width(), option.fontMetrics.height());
  painter->save();
  painter->setPen(option.palette.color(
      (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(text, Qt::AlignHCenter | Qt::AlignTop,
                    option.fontMetrics.elidedText(caption, Qt::ElideRight, text.width()));
  painter->restore();
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {size_ + 8, size_ + option.fontMetrics.height() + 10};
}

}  // namespace vemora::ui
