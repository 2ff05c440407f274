#include "ui/missing_image_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vemora::ui {

MissingImagePanel::MissingImagePanel(QWidget* parent) : QWidget(parent) {
  setObjectName("missingImagePanel");
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  auto* title = new QLabel(QStringLiteral("Das angegebene Bild wurde nicht gefunden."), this);
  title->setObjectName("missingImageTitle");
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  title->setWordWrap(true);
  top->addWidget(icon);
  top->addWidget(title, 1);
  path_ = new QLabel(this);
  path_->setObjectName("missingImagePath");
  path_->setWordWrap(true);
  path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* advice = new QLabel(
      QStringLiteral("Sie können den Verweis aus der Galeriekasten entfernen, indem Sie auf "
                     "'Bild löschen' klicken. Sie können dem Bild aber auch eine 'neue Quelle' "
                     "zuweisen."),
      this);
  advice->setObjectName("missingImageAdvice");
  advice->setWordWrap(true);
  auto* deleteButton = new QPushButton(QStringLiteral("Bild Löschen..."), this);
  deleteButton->setObjectName("missingImageDelete");
  auto* newSourceButton = new QPushButton(QStringLiteral("neue Quelle..."), this);
  newSourceButton->setObjectName("missingImageNewSource");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(deleteButton);
  buttons->addWidget(newSourceButton);
  buttons->addStretch(1);
  layout->addLayout(top);
  layout->addWidget(path_);
  layout->addWidget(advice);
  layout->addLayout(buttons);
  layout->addStretch(1);
  connect(deleteButton, &QPushButton::clicked, this, &MissingImagePanel::deleteRequested);
  connect(newSourceButton, &QPushButton::clicked, this, &MissingImagePanel::newSourceRequested);
}

void MissingImagePanel::SetPath(const QString& path) { path_->setText(path); }

}  // namespace vemora::ui
