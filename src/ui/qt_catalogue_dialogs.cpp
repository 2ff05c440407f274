#include "ui/qt_catalogue_dialogs.h"

#include <QApplication>
#include <QFileDialog>

#include "platform/file_filter.h"
#include "ui/add_window.h"
#include "ui/delete_dialog.h"

namespace vemora::ui {

QStringList PictureNameFilters() {
  QStringList filters;
  for (const platform::FileFilter& filter : platform::ParseFileFilter(kPictureFileFilter)) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns << QString::fromStdString(pattern);
    // Qt reads the patterns from the last parentheses; the text keeps its own.
    filters << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.text),
                                             patterns.join(QLatin1Char(' ')));
  }
  return filters;
}

std::vector<std::string> QtCatalogueDialogs::ChoosePictureFiles(const std::string& title,
                                                                bool multiple) {
  QFileDialog dialog(parent_, QString::fromStdString(title));
  dialog.setObjectName("pictureFileDialog");
  if (!imageFolder_.empty()) dialog.setDirectory(QString::fromStdString(imageFolder_));
  dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setNameFilters(PictureNameFilters());
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  std::vector<std::string> paths;
  if (dialog.exec() != QDialog::Accepted) return paths;
  for (const QString& file : dialog.selectedFiles()) paths.push_back(file.toStdString());
  return paths;
}

DeleteChoice QtCatalogueDialogs::ChooseDeleteMode(const std::string& focusedName,
                                                  const std::vector<std::string>& markedNames) {
  TBildDelete dialog(parent_, settings_, focusedName, markedNames);
  dialog.exec();
  return dialog.Choice();
}

std::unique_ptr<AddProgressWindow> QtCatalogueDialogs::OpenAddWindow(int fileCount, bool fromDrop) {
  auto window =
      std::make_unique<TBilderAdd>(parent_, fromDrop ? fileCount - 1 : fileCount, !fromDrop);
  window->show();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return window;
}

}  // namespace vemora::ui
