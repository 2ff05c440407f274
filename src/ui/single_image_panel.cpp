#include "ui/single_image_panel.h"

#include <QLabel>
#include <QPixmap>
#include <QStackedWidget>

#include "ui/missing_image_panel.h"

namespace vemora::ui {

SingleImagePanel::SingleImagePanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Einzelbild [Bildqualität-hoch]"), parent) {
  setObjectName("singleImagePanel");
  pages_ = new QStackedWidget(this);
  cxImage3_ = new QLabel(pages_);
  cxImage3_->setObjectName("cxImage3");
  cxImage3_->setAlignment(Qt::AlignCenter);
  cxImage3_->setMinimumSize(80, 60);
  missing_ = new MissingImagePanel(pages_);
  pages_->addWidget(cxImage3_);
  pages_->addWidget(missing_);
  setWidget(pages_);
  connect(missing_, &MissingImagePanel::deleteRequested, this,
          &SingleImagePanel::deleteImageRequested);
  connect(missing_, &MissingImagePanel::newSourceRequested, this,
          &SingleImagePanel::newSourceRequested);
  pages_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pages_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { emit contextMenuRequested(pages_->mapToGlobal(at)); });
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

void SingleImagePanel::ShowMissingImage(const QString& path) {
  missing_->SetPath(path);
  pages_->setCurrentWidget(missing_);
}

void SingleImagePanel::ShowPictureArea() { pages_->setCurrentWidget(cxImage3_); }

void SingleImagePanel::SetQualityCaption(int performance) {
  setWindowTitle(performance == 0 ? QStringLiteral("Einzelbild [Bildqualität-niedrig]")
                                  : QStringLiteral("Einzelbild [Bildqualität-hoch]"));
}

bool SingleImagePanel::missingImageShown() const { return pages_->currentWidget() == missing_; }

void SingleImagePanel::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  Fit();
}

void SingleImagePanel::Fit() {
  if (picture_.isNull()) return;
  const QSize area = cxImage3_->size().boundedTo(picture_.size().expandedTo(QSize(1, 1)) * 4);
  cxImage3_->setPixmap(QPixmap::fromImage(picture_.scaled(
      area.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace vemora::ui
