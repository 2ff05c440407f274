// The file commands' dialogs in the Qt window: the save dialog, TBildKonv and TResizeForm.
#pragma once

#include <QPointer>
#include <QWidget>

#include "catalogue/prompter.h"
#include "fileops/fileops_dialogs.h"

namespace vemora::ui {

class QtFileOpsDialogs : public FileOpsDialogs {
 public:
  QtFileOpsDialogs(QWidget* parent, Prompter& prompter) : parent_(parent), prompter_(prompter) {}

  std::optional<std::string> ChooseSaveFile(const std::string& initialFolder,
                                            const std::string& proposedName) override;
  ExportDialogResult ChooseExport(const ExportDialogRequest& request) override;
  ResizeDialogResult ChooseResize() override;

 private:
  QPointer<QWidget> parent_;
  Prompter& prompter_;
};

}  // namespace vemora::ui
