// The catalogue dialogs of the Qt window: the picture file dialog, TBildDelete and
// TBilderAdd.
#pragma once

#include <QPointer>
#include <QWidget>

#include "catalogue/catalogue_dialogs.h"

namespace vemora {
class TIniPlus;
}

namespace vemora::ui {

class QtCatalogueDialogs : public CatalogueDialogs {
 public:
  QtCatalogueDialogs(QWidget* parent, TIniPlus& settings) : parent_(parent), settings_(settings) {}

  std::vector<std::string> ChoosePictureFiles(const std::string& title, bool multiple) override;
  DeleteChoice ChooseDeleteMode(const std::string& focusedName,
                                const std::vector<std::string>& markedNames) override;
  std::unique_ptr<AddProgressWindow> OpenAddWindow(int fileCount, bool fromDrop) override;

 private:
  QPointer<QWidget> parent_;
  TIniPlus& settings_;
};

// The picture filter list as Qt's name filters ("text (patterns)"), in list order.
QStringList PictureNameFilters();

}  // namespace vemora::ui
