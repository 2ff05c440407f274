#include "ui/qt_fileops_dialogs.h"

#include <QDir>
#include <QFileDialog>

#include "ui/export_dialog.h"
#include "ui/resize_dialog.h"

namespace vemora::ui {

std::optional<std::string> QtFileOpsDialogs::ChooseSaveFile(const std::string& initialFolder,
                                                            const std::string& proposedName) {
  // The command asks about an existing file itself, in its own words.
  const QString path = QFileDialog::getSaveFileName(
      parent_, QString(),
      QDir(QString::fromStdString(initialFolder)).filePath(QString::fromStdString(proposedName)),
      QStringLiteral("*.*"), nullptr, QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(path).toStdString();
}

ExportDialogResult QtFileOpsDialogs::ChooseExport(const ExportDialogRequest& request) {
  TBildKonv dialog(parent_, prompter_, request);
  dialog.exec();
  return dialog.Result();
}

ResizeDialogResult QtFileOpsDialogs::ChooseResize() {
  TResizeForm dialog(parent_);
  dialog.exec();
  return dialog.Result();
}

}  // namespace vemora::ui
