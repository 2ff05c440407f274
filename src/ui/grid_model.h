// The Qt model over the grid records: one row per record, the mark as a check box that
// commits at once, and the record's texts. The records stay the core's; the model only
// shows them and writes the mark back.
#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QPixmap>

#include "catalogue/grid_record.h"

namespace vemora::ui {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kColumnMark, kColumnPicture, kColumnName, kColumnPath, kColumnCount };

  explicit GridModel(CatalogueGrid& grid, QObject* parent = nullptr);

  // Bracket a wholesale replacement of the records.
  void BeginReload() {
    beginResetModel();
    pictures_.clear();
  }
  void EndReload() { endResetModel(); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void marksChanged();

 private:
  // Previews are decoded when a row first becomes visible and kept for the next paint.
  QPixmap Picture(int row) const;

  CatalogueGrid& grid_;
  mutable QCache<int, QPixmap> pictures_{2000};
};

}  // namespace vemora::ui
