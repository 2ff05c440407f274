#include "ui/editor_wait_dialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/executable_folder.h"
#include "settings/settings_errors.h"

namespace vemora::ui {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFormWait4ExtAppl::TFormWait4ExtAppl(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormWait4ExtAppl");
  setWindowTitle(QStringLiteral("Warte..."));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      NamedLabel("applicationCaption", QStringLiteral("Die externe Anwendung"), this));
  applicationLabel_ = NamedLabel("applicationLabel", {}, this);
  layout->addWidget(applicationLabel_);
  layout->addWidget(NamedLabel("fileCaption", QStringLiteral("Bilddatei"), this));
  fileLabel_ = NamedLabel("fileLabel", {}, this);
  layout->addWidget(fileLabel_);
  startButton_ = NamedButton("startButton", QStringLiteral("Weiter zu"), this);
  layout->addWidget(startButton_);
  results_ = new QGroupBox(QStringLiteral("Ergebnisse"), this);
  results_->setObjectName("resultGroup");
  auto* resultLayout = new QVBoxLayout(results_);
  resultLine1_ = NamedLabel("resultLabel1", {}, results_);
  resultLine2_ = NamedLabel("resultLabel2", {}, results_);
  resultLayout->addWidget(resultLine1_);
  resultLayout->addWidget(resultLine2_);
  replaceButton_ =
      NamedButton("replaceButton", QStringLiteral("Bild in der Datenbank ersetzen"), results_);
  addButton_ =
      NamedButton("addButton", QStringLiteral("Bild in die Datenbank neu aufnehmen"), results_);
  auto* cancelButton = NamedButton("cancelButton", QStringLiteral("den Vorgang abbrechen"), this);
  resultLayout->addWidget(replaceButton_);
  resultLayout->addWidget(addButton_);
  layout->addWidget(results_);
  layout->addWidget(cancelButton);
  setMinimumWidth(420);

  connect(startButton_, &QPushButton::clicked, this, [this] {
    QMetaObject::invokeMethod(this, &TFormWait4ExtAppl::Launch, Qt::QueuedConnection);
  });
  connect(replaceButton_, &QPushButton::clicked, this, [this] { Finish(kHandOffReplace); });
  connect(addButton_, &QPushButton::clicked, this, [this] { Finish(kHandOffAdd); });
  connect(cancelButton, &QPushButton::clicked, this, [this] {
    abort_ = true;
    Finish(kHandOffCancelled);
  });
  SetState(EditorWaitState::Start);
}

void TFormWait4ExtAppl::showEvent(QShowEvent* event) {
  abort_ = false;
  const QString application = Text(record_.application);
  applicationLabel_->setText(
      QStringLiteral("\"%1\" wurde gestartet. Ihr wurde die").arg(application));
  fileLabel_->setText(QStringLiteral("\"%1\" übergeben.").arg(Text(record_.imageFile)));
  startButton_->setText(QStringLiteral("Weiter mit \"%1\"").arg(application));
  results_->setTitle(QStringLiteral("Ergebnisse von \"%1\"").arg(application));
  QDialog::showEvent(event);
}

void TFormWait4ExtAppl::reject() {
  // Closing the window while waiting stops the waiting, like cancelling.
  abort_ = true;
  QDialog::reject();
}

void TFormWait4ExtAppl::SetState(EditorWaitState state) {
  state_ = state;
  const bool shown = state != EditorWaitState::Start;
  resultLine1_->setVisible(shown);
  resultLine2_->setVisible(shown);
  replaceButton_->setEnabled(state == EditorWaitState::Changed);
  addButton_->setEnabled(state == EditorWaitState::Changed);
}

void TFormWait4ExtAppl::Launch() {
  QWidget* main = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  const QString caption = main != nullptr ? main->windowTitle() : QString();
  const QString title = QApplication::applicationDisplayName();
  if (main != nullptr) {
    main->setWindowTitle(Text(WaitingCaption(caption.toStdString(), record_.application)));
  }
  QApplication::setApplicationDisplayName(
      Text(WaitingCaption(title.toStdString(), record_.application)));
  startButton_->setEnabled(false);
  // The program starts in the host's folder, as a program started from the host would.
  std::filesystem::path workingFolder;
  try {
    workingFolder = ExecutableFolder();
  } catch (const IniFileError&) {
    // Then it starts in ours.
  }
  const EditorLaunchOutcome outcome = LaunchEditor(
      record_.application, record_.imageFile, true,
      [this] {
        repaint();
        QApplication::processEvents();
        return !abort_;
      },
      workingFolder);
  if (!outcome.aborted) {
    resultLine1_->setText(Text(outcome.firstLine));
    resultLine2_->setText(Text(outcome.secondLine));
    SetState(outcome.state);
  }
  QApplication::setApplicationDisplayName(title);
  if (main != nullptr) main->setWindowTitle(caption);
}

void TFormWait4ExtAppl::Finish(int32_t result) {
  record_.result = result;
  done(result);
}

void QtEditorWaitDialog::Run(HandOffRecord& record) {
  TFormWait4ExtAppl dialog(parent_);
  dialog.SetRecord(record);
  dialog.exec();
  record = dialog.Record();
}

}  // namespace vemora::ui
