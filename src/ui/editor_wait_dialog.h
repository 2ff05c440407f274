// TFormWait4ExtAppl: the window that starts the paint program on the hand-off file, waits
// for it to end, and offers taking the edited file back.
//
// The program starts when the user presses "Weiter mit ..."; while it runs the dialog polls
// it every 100 ms and keeps the event loop running, so "den Vorgang abbrechen" closes the
// dialog at once (the program stays open). QtEditorWaitDialog runs it for the core.
#pragma once

#include <QDialog>

#include "fileops/editor_handoff.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace vemora::ui {

class TFormWait4ExtAppl : public QDialog {
  Q_OBJECT

 public:
  explicit TFormWait4ExtAppl(QWidget* parent);

  void SetRecord(const HandOffRecord& record) { record_ = record; }
  const HandOffRecord& Record() const { return record_; }
  EditorWaitState State() const { return state_; }

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SetState(EditorWaitState state);
  // Starts the program and waits for it; the counterpart of the window message the start
  // button posts, so the click returns before the wait begins.
  void Launch();
  void Finish(int32_t result);

  HandOffRecord record_;
  bool abort_ = false;
  EditorWaitState state_ = EditorWaitState::Start;
  QLabel* applicationLabel_;
  QLabel* fileLabel_;
  QPushButton* startButton_;
  QGroupBox* results_;
  QLabel* resultLine1_;
  QLabel* resultLine2_;
  QPushButton* replaceButton_;
  QPushButton* addButton_;
};

class QtEditorWaitDialog : public EditorWaitDialog {
 public:
  explicit QtEditorWaitDialog(QWidget* parent) : parent_(parent) {}
  void Run(HandOffRecord& record) override;

 private:
  QWidget* parent_;
};

}  // namespace vemora::ui
