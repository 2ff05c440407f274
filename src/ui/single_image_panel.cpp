#include "ui/single_image_panel.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QStackedWidget>

#include "ui/missing_image_panel.h"

namespace vemora::ui {
namespace {

// Every scale applied to the picture's size plus the margin.
constexpr int kZoomMargin = 5;

int Scaled(int length, int index) {
  switch (index) {
    case 1:
      return length / 4;
    case 2:
      return length / 2;
    case 3:
      return 2 * length / 3;
    case 4:
      return length;
    case 5:
      return length + length / 4;
    case 6:
      return length + length / 2;
    case 7:
      return length + 2 * length / 3;
    case 8:
      return 2 * length;
    default:
      return -1;
  }
}

}  // namespace

QSize ZoomedSize(QSize picture, int index) {
  if (index < kZoomSmallest || index > kZoomLargest) return {};
  return {Scaled(picture.width() + kZoomMargin, index),
          Scaled(picture.height() + kZoomMargin, index)};
}

SingleImagePanel::SingleImagePanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Einzelbild [Bildqualität-hoch]"), parent) {
  setObjectName("singleImagePanel");
  pages_ = new QStackedWidget(this);
  scroll_ = new QScrollArea(pages_);
  scroll_->setObjectName("singleImageScroll");
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroll_->setWidgetResizable(true);
  cxImage3_ = new QLabel;
  cxImage3_->setObjectName("cxImage3");
  cxImage3_->setAlignment(Qt::AlignCenter);
  cxImage3_->setMinimumSize(80, 60);
  scroll_->setWidget(cxImage3_);
  missing_ = new MissingImagePanel(pages_);
  pages_->addWidget(scroll_);
  pages_->addWidget(missing_);
  setWidget(pages_);
  connect(missing_, &MissingImagePanel::deleteRequested, this,
          &SingleImagePanel::deleteImageRequested);
  connect(missing_, &MissingImagePanel::newSourceRequested, this,
          &SingleImagePanel::newSourceRequested);
  pages_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pages_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { emit contextMenuRequested(pages_->mapToGlobal(at)); });
  cxImage3_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(cxImage3_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { emit contextMenuRequested(cxImage3_->mapToGlobal(at)); });
}

void SingleImagePanel::SetPicture(const QImage& picture) {
  if (picture.isNull()) return;
  picture_ = picture;
  Fit();
}

void SingleImagePanel::ClearPicture() {
  picture_ = QImage();
  cxImage3_->clear();
}

void SingleImagePanel::ShowUnreadable(const QString& text) {
  ClearPicture();
  cxImage3_->setWordWrap(true);
  cxImage3_->setText(text);
}

void SingleImagePanel::ShowMissingImage(const QString& path) {
  missing_->SetPath(path);
  pages_->setCurrentWidget(missing_);
}

void SingleImagePanel::ShowPictureArea() { pages_->setCurrentWidget(scroll_); }

void SingleImagePanel::SetQualityCaption(int performance) {
  setWindowTitle(performance == 0 ? QStringLiteral("Einzelbild [Bildqualität-niedrig]")
                                  : QStringLiteral("Einzelbild [Bildqualität-hoch]"));
}

void SingleImagePanel::SetZoom(int index) {
  zoom_ = (index >= kZoomSmallest && index <= kZoomLargest) ? index : kZoomFit;
  const bool fit = zoom_ == kZoomFit;
  scroll_->setWidgetResizable(fit);
  cxImage3_->setAlignment(fit ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
  cxImage3_->setMinimumSize(fit ? QSize(80, 60) : QSize(0, 0));
  Fit();
}

void SingleImagePanel::SetBackground(const QColor& colour) {
  // Only the area behind the picture: the scroll bars and their corner keep the panel's.
  QPalette palette = scroll_->viewport()->palette();
  palette.setColor(QPalette::Window,
                   colour.isValid() ? colour : this->palette().color(QPalette::Window));
  scroll_->viewport()->setPalette(palette);
  scroll_->viewport()->setAutoFillBackground(true);
}

bool SingleImagePanel::missingImageShown() const { return pages_->currentWidget() == missing_; }

QSize SingleImagePanel::displayedSize() const {
  const QPixmap pixmap = cxImage3_->pixmap();
  return pixmap.isNull() ? QSize() : pixmap.size();
}

void SingleImagePanel::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  if (zoom_ == kZoomFit) Fit();
}

void SingleImagePanel::Fit() {
  if (picture_.isNull()) return;
  if (zoom_ != kZoomFit) {
    // At a fixed scale the picture sits at the top left, stretched to exactly that size.
    const QSize size = ZoomedSize(picture_.size(), zoom_).expandedTo(QSize(1, 1));
    cxImage3_->setPixmap(
        QPixmap::fromImage(picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    cxImage3_->resize(size);
    return;
  }
  const QSize area =
      scroll_->viewport()->size().boundedTo(picture_.size().expandedTo(QSize(1, 1)) * 4);
  cxImage3_->setPixmap(QPixmap::fromImage(picture_.scaled(
      area.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace vemora::ui
