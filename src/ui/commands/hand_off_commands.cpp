#include "ui/commands/hand_off_commands.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "fileops/editor_handoff.h"
#include "fileops/mailing.h"
#include "ui/editor_wait_dialog.h"

namespace vemora::ui {

HandOffCommands::HandOffCommands(WindowServices& window) : CommandGroup(window) {
  paint_ = MakeAction("dxBarLargeButton8", QStringLiteral("MS Paint"),
                      QStringLiteral("MS Paint starten"), QKeySequence(Qt::CTRL | Qt::Key_P));
  paint_->setStatusTip(QStringLiteral("MS Paint starten"));
  externalApplication_ = MakeAction("dxBarLargeButton16", QStringLiteral("Externe Anwendung"),
                                    QStringLiteral("Externe Anwendung"));
  const QString mailText = QStringLiteral(
      "Das aktuelle Bild, bzw. die Markierten wird/werden als Mailanhang verschickt");
  mail_ = MakeAction("dxBarLargeButton14", QStringLiteral("Versenden"), mailText,
                     QKeySequence(Qt::CTRL | Qt::Key_M));
  mail_->setStatusTip(mailText);

  connect(paint_, &QAction::triggered, this, &HandOffCommands::PaintClick);
  connect(externalApplication_, &QAction::triggered, this,
          &HandOffCommands::ExternalApplicationClick);
  connect(mail_, &QAction::triggered, this, &HandOffCommands::MailClick);
}

void HandOffCommands::AddTo(WindowChrome& chrome) {
  const QList<QAction*> actions = {paint_, externalApplication_, mail_};
  chrome.AddToToolbar(ToolbarSection::Output, actions);
  chrome.imageMenu()->addActions(actions);
  chrome.AddToContextMenu(actions);
}

void HandOffCommands::UpdateCommands(const CommandStates& states) {
  // "Externe Anwendung" also starts without a focused image, then without a file.
  paint_->setEnabled(states.recordCommands);
  mail_->setEnabled(states.recordCommands);
}

void HandOffCommands::PaintClick() {
  QtEditorWaitDialog wait(window_.widget());
  // Taking the edit back replaces the record's image or adds a record.
  window_.RunRecordsCommand(
      [&] { EditFocusedImage(window_.session(), window_.grid(), window_.settings(), wait); });
}

void HandOffCommands::ExternalApplicationClick() {
  window_.Guarded([this] { StartExternalApplication(window_.grid(), window_.settings()); });
}

void HandOffCommands::MailClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  window_.Guarded(
      [this] { SendImagesByMail(window_.session(), window_.grid(), window_.call().tempFolder); });
  QApplication::restoreOverrideCursor();
}

}  // namespace vemora::ui
