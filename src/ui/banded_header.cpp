#include "ui/banded_header.h"

#include <QPainter>
#include <QStyleOptionHeader>
#include <climits>

namespace vemora::ui {

// The strip above the column captions. It is a child of the header, so it shares the
// header's coordinates and scrolls with it.
class BandedHeader::BandRow : public QWidget {
 public:
  explicit BandRow(BandedHeader* header) : QWidget(header), header_(header) {
    setObjectName("bandHeaders");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    for (int band = 0; band < static_cast<int>(header_->bands().size()); ++band) {
      const QRect rect = header_->BandRect(band);
      if (rect.isEmpty()) continue;
      QStyleOptionHeader option;
      option.initFrom(this);
      option.rect = rect;
      option.text = header_->bands()[static_cast<size_t>(band)].caption;
      option.textAlignment = Qt::AlignCenter;
      option.position = QStyleOptionHeader::Middle;
      // Too narrow a band (the 1-pixel spacer) is drawn as an edge only.
      if (rect.width() < 4) option.text.clear();
      style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    }
  }

 private:
  BandedHeader* header_;
};

BandedHeader::BandedHeader(std::vector<GridBand> bands, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), bands_(std::move(bands)), bandRow_(new BandRow(this)) {
  bandHeight_ = fontMetrics().height() + 8;
  setSectionsClickable(false);
  setSortIndicatorShown(false);
  const auto repaintBands = [this] { bandRow_->update(); };
  connect(this, &QHeaderView::sectionResized, this, repaintBands);
  connect(this, &QHeaderView::sectionMoved, this, repaintBands);
  connect(this, &QHeaderView::geometriesChanged, this, repaintBands);
  connect(this, &QHeaderView::sectionCountChanged, this, repaintBands);
  Relayout();
}

void BandedHeader::SetBandHeadersVisible(bool visible) {
  bandHeight_ = visible ? fontMetrics().height() + 8 : 0;
  Relayout();
  updateGeometry();
  // The table lays out its header from sizeHint; make it ask again.
  if (parentWidget()) QMetaObject::invokeMethod(parentWidget(), "updateGeometries");
}

QRect BandedHeader::BandRect(int band) const {
  if (band < 0 || band >= static_cast<int>(bands_.size())) return {};
  int left = INT_MAX;
  int right = INT_MIN;
  for (int column : bands_[static_cast<size_t>(band)].columns) {
    if (column >= count() || isSectionHidden(column)) continue;
    const int start = sectionViewportPosition(column);
    left = std::min(left, start);
    right = std::max(right, start + sectionSize(column));
  }
  if (left >= right) return {};
  // Viewport coordinates to the header's own (the band row sits at the header's top).
  const int offset = viewport()->geometry().left();
  return QRect(left + offset, 0, right - left, bandHeight_);
}

void BandedHeader::RepaintBands() { bandRow_->update(); }

QSize BandedHeader::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.rheight() += bandHeight_;
  return size;
}

void BandedHeader::resizeEvent(QResizeEvent* event) {
  QHeaderView::resizeEvent(event);
  Relayout();
}

void BandedHeader::Relayout() {
  setViewportMargins(0, bandHeight_, 0, 0);
  bandRow_->setGeometry(0, 0, width(), bandHeight_);
  bandRow_->setVisible(bandHeight_ > 0);
  bandRow_->update();
}

}  // namespace vemora::ui
