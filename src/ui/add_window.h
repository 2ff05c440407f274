// TBilderAdd: the window that shows images being added, one file after the other, with the
// path, the preview and the times.
#pragma once

#include <QDialog>

#include "catalogue/catalogue_dialogs.h"

class QLabel;
class QProgressBar;

namespace vemora::ui {

class TBilderAdd : public QDialog, public AddProgressWindow {
  Q_OBJECT

 public:
  // `maximum` is the bar's maximum; the toolbar command shows the window 281 pixels high.
  TBilderAdd(QWidget* parent, int maximum, bool tall);

  void FileAdded(const std::string& path, std::string_view previewJpeg) override;
  void FileFailed(const std::string& path) override;
  void ShowTimes(const std::string& lastFile, const std::string& elapsed) override;

 private:
  QProgressBar* progressBar_;
  QLabel* pathLabel_;
  QLabel* preview_;
  QLabel* lastFileTime_;
  QLabel* elapsedTime_;
};

}  // namespace vemora::ui
