// TBildKonv ("Bilder exportieren"): the focused image or all marked ones, the target folder
// (a mounted file system, then a folder in its tree, or typed) and the target format. A
// folder that does not exist is offered for creation before the dialog closes; questions
// and notices go through the window's prompter.
#pragma once

#include <QDialog>

#include "catalogue/prompter.h"
#include "fileops/fileops_dialogs.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace vemora::ui {

class TBildKonv : public QDialog {
  Q_OBJECT

 public:
  TBildKonv(QWidget* parent, Prompter& prompter, const ExportDialogRequest& request);

  // Filled when the dialog closes.
  const ExportDialogResult& Result() const { return result_; }

  // Points the file-system list, the tree and the text field at the folder.
  void SetTargetFolder(const QString& folder);

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Opens the tree down to the target folder and selects it; called again as the file-system
  // model reads and sorts the folders on the way (in the background).
  void RevealTargetFolder();
  void ChooseMarked(bool marked);
  void FormatChanged();
  void Finish(ExportOutcome outcome);
  bool EnsureFolder();
  void StoreFolder();

  Prompter& prompter_;
  ExportDialogResult result_;
  QRadioButton* focusedMode_;
  QRadioButton* markedMode_;
  QListWidget* focusedList_;
  QListWidget* markedList_;
  QComboBox* driveList_;
  QTreeView* folderTree_;
  QFileSystemModel* folderModel_;
  QString revealedFolder_;  // the folder the tree is to show, until the user picks another
  QLineEdit* folderEdit_;
  QComboBox* formatList_;
  QCheckBox* writeBack_;
  QPushButton* exportFocused_;
  QPushButton* exportMarked_;
};

}  // namespace vemora::ui
