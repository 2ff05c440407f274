#include "ui/qt_prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include "ui/wait_window.h"

namespace vemora::ui {
namespace {

class WaitWindowProgress : public ProgressWindow {
 public:
  explicit WaitWindowProgress(QWidget* parent) : window_(new TFWaitLoad(parent)) {
    window_->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~WaitWindowProgress() override {
    QApplication::restoreOverrideCursor();
    window_->hide();
    delete window_;
  }
  void SetLabel(const std::string& text) override {
    window_->label()->setText(QString::fromStdString(text));
  }
  void SetMaximum(int maximum) override { window_->progressBar()->setMaximum(maximum); }
  void SetPosition(int position) override { window_->SetPosition(position); }
  void Step() override { window_->Step(); }

 private:
  TFWaitLoad* window_;
};

}  // namespace

void QtPrompter::ShowMessage(const std::string& text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(),
                           QString::fromStdString(text));
}

Answer QtPrompter::Ask(const std::string& text, bool withCancel) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(),
                  QString::fromStdString(text), QMessageBox::NoButton, parent_);
  QAbstractButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  QAbstractButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
  if (withCancel) box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.exec();
  if (box.clickedButton() == yes) return Answer::Yes;
  if (box.clickedButton() == no) return Answer::No;
  return Answer::Cancel;
}

std::optional<std::string> QtPrompter::AskText(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
  QInputDialog box(parent_);
  box.setObjectName("textInputBox");
  box.setWindowTitle(QString::fromStdString(caption));
  box.setLabelText(QString::fromStdString(prompt));
  box.setTextValue(QString::fromStdString(initial));
  box.setOkButtonText(QStringLiteral("OK"));
  box.setCancelButtonText(QStringLiteral("Abbrechen"));
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return box.textValue().toStdString();
}

std::unique_ptr<ProgressWindow> QtPrompter::OpenWaitWindow() {
  return std::make_unique<WaitWindowProgress>(parent_);
}

void ShowErrorReport(QWidget* parent, const std::string& message) {
  QMessageBox::critical(parent, QApplication::applicationDisplayName(),
                        QString::fromStdString(message));
}

}  // namespace vemora::ui
