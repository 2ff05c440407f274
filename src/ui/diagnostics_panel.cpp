#include "ui/diagnostics_panel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vemora::ui {

DiagnosticsPanel::DiagnosticsPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Diagnose"), parent) {
  setObjectName("diagnosticsPanel");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  testButton_ = new QPushButton(QStringLiteral("TestDB"), body);
  testButton_->setObjectName("testDbButton");
  rebuildButton_ = new QPushButton(QStringLiteral("DB: Bild->vsBild"), body);
  rebuildButton_->setObjectName("rebuildPreviewsButton");
  layout->addWidget(testButton_);
  layout->addWidget(rebuildButton_);
  layout->addStretch(1);
  setWidget(body);
  hide();
}

}  // namespace vemora::ui
