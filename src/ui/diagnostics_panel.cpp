#include "ui/diagnostics_panel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vemora::ui {

DiagnosticsPanel::DiagnosticsPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Diagnose"), parent) {
  setObjectName("diagnosticsPanel");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  auto* testButton = new QPushButton(QStringLiteral("TestDB"), body);
  testButton->setObjectName("testDbButton");
  auto* rebuildButton = new QPushButton(QStringLiteral("DB: Bild->vsBild"), body);
  rebuildButton->setObjectName("rebuildPreviewsButton");
  layout->addWidget(testButton);
  layout->addWidget(rebuildButton);
  layout->addStretch(1);
  setWidget(body);
  hide();
  connect(testButton, &QPushButton::clicked, this, &DiagnosticsPanel::testRequested);
  connect(rebuildButton, &QPushButton::clicked, this, &DiagnosticsPanel::rebuildRequested);
}

void DiagnosticsPanel::Open() {
  show();
  raise();
}

}  // namespace vemora::ui
