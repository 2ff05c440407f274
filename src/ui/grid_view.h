// cxGrid1: the catalogue grid. A table over GridModel with the banded header, the mark
// and picture columns first, hidden key and path columns, no sorting, and rows that grow
// to fit their content as they come into view (fitting all rows up front would decode
// every picture of a large catalogue).
#pragma once

#include <QTableView>

#include "ui/grid_look.h"

namespace vemora::ui {

class BandedHeader;

class GridView : public QTableView {
  Q_OBJECT

 public:
  explicit GridView(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;
  BandedHeader* bandedHeader() const { return header_; }
  // Shows or hides a band with all its columns (the "INFORMATIONEN", ... toggles).
  void SetBandVisible(int band, bool visible);
  // Writes the text of an open cell editor through the model and closes it.
  void CommitPendingEdit();
  // The row whose cell editor is open, or -1.
  int EditingRow() const {
    return state() == QAbstractItemView::EditingState ? currentIndex().row() : -1;
  }
  // Rows that have been fitted are fitted again after the records changed.
  void ForgetFittedRows();
  // Frame and header style, cell lines, and columns fitted to the width or not.
  void SetLook(const GridLook& look);
  const GridLook& look() const { return look_; }

 signals:
  void focusedColumnChanged(int item);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void FitVisibleRows();

  BandedHeader* header_;
  GridLook look_;
  std::vector<bool> fitted_;
  bool fitting_ = false;
};

// Bands by index: 0 "BILD", 1 "INFORMATIONEN", 2 "BESCHRIFTUNG", 3 "SUCHBEGRIFFE",
// 4 "DETAILS", 5 the spacer.
enum GridBandIndex {
  kBandPicture,
  kBandInformation,
  kBandCaptions,
  kBandKeywords,
  kBandDetails,
  kBandSpacer
};

}  // namespace vemora::ui
