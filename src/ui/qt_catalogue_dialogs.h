// The catalogue dialogs of the Qt window: the picture file dialog, TBildDelete and
// TBilderAdd.
#pragma once

#include <QPointer>
#include <QWidget>

#include "catalogue/catalogue_dialogs.h"
#include "ui/german_texts.h"

namespace vemora {
class TIniPlus;
}

namespace vemora::ui {

class QtCatalogueDialogs : public CatalogueDialogs {
 public:
  // The picture file dialog opens in `imageFolder`.
  QtCatalogueDialogs(QWidget* parent, TIniPlus& settings, std::string imageFolder)
      : parent_(parent), settings_(settings), imageFolder_(std::move(imageFolder)) {
    EnsureGermanQtTexts();
  }

  std::vector<std::string> ChoosePictureFiles(const std::string& title, bool multiple) override;
  DeleteChoice ChooseDeleteMode(const std::string& focusedName,
                                const std::vector<std::string>& markedNames) override;
  std::unique_ptr<AddProgressWindow> OpenAddWindow(int fileCount, bool fromDrop) override;

 private:
  QPointer<QWidget> parent_;
  TIniPlus& settings_;
  std::string imageFolder_;
};

// The picture filter list as Qt's name filters ("text (patterns)"), in list order.
QStringList PictureNameFilters();

}  // namespace vemora::ui
