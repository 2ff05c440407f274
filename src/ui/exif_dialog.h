// TFExif ("EXIF Informationen"): the German summary of an image file's camera data, and a
// second page "Dateiinformationen" listing every tag the metadata reader found (group, tag,
// value), with a search field and a button that copies the listed rows.
//
// The file is read once, when the dialog is built; the dialog keeps only the texts.
#pragma once

#include <QDialog>
#include <string>

#include "catalogue/exif_report.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace vemora::ui {

class TFExif : public QDialog {
  Q_OBJECT

 public:
  TFExif(QWidget* parent, const std::string& filePath);

  // The rows the tag list shows now (after the search), tab-separated, one line each, as
  // "Kopieren" puts them on the clipboard.
  QString ListedRowsText() const;

 private:
  void UpdateCount();

  QPlainTextEdit* summary_;
  QStandardItemModel* tags_;
  QSortFilterProxyModel* filter_;
  QTableView* table_;
  QLineEdit* search_;
  QLabel* count_;
};

}  // namespace vemora::ui
