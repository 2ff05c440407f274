#include "ui/grid_model.h"

#include "ui/picture.h"

namespace vemora::ui {

GridModel::GridModel(CatalogueGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.records.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const GridRecord& record = grid_.records[static_cast<size_t>(index.row())];
  switch (index.column()) {
    case kColumnMark:
      if (role == Qt::CheckStateRole) return record.marked ? Qt::Checked : Qt::Unchecked;
      return {};
    case kColumnPicture:
      if (role == Qt::DecorationRole) return Picture(index.row());
      if (role == Qt::SizeHintRole) return QSize(140, 104);
      return {};
    case kColumnName:
      if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(record.name);
      return {};
    case kColumnPath:
      if (role == Qt::DisplayRole) return QString::fromStdString(record.filePath.value_or(""));
      return {};
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != kColumnMark || role != Qt::CheckStateRole) return false;
  grid_.records[static_cast<size_t>(index.row())].marked =
      value.value<Qt::CheckState>() == Qt::Checked;
  emit dataChanged(index, index, {Qt::CheckStateRole});
  emit marksChanged();
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() == kColumnMark) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kColumnPicture:
      return QStringLiteral("Bild");
    case kColumnName:
      return QStringLiteral("Bezeichnung");
    case kColumnPath:
      return QStringLiteral("Pfad");
    default:
      return {};
  }
}

QPixmap GridModel::Picture(int row) const {
  if (QPixmap* cached = pictures_.object(row)) return *cached;
  auto* picture = new QPixmap(
      QPixmap::fromImage(PictureFromBytes(grid_.records[static_cast<size_t>(row)].preview)));
  const QPixmap result = *picture;
  pictures_.insert(row, picture);
  return result;
}

}  // namespace vemora::ui
