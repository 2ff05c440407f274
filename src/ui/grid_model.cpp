#include "ui/grid_model.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

#include "catalogue/editing.h"
#include "ui/preview_cache.h"

namespace vemora::ui {

const char* GridColumnName(int item) {
  static constexpr const char* kNames[kItemCount] = {
      "FT_Bild",    "FT_Name",   "FT_Beschreibung", "FT_Oben", "FT_Unten",
      "FT_Links",   "FT_Rechts", "sec_file",        "sec_ctr", "FT_Suchbegriffe",
      "FT_Auswahl", "spacer",    "FT_Path",         "FT_SIZE", "hidden"};
  return item >= 0 && item < kItemCount ? kNames[item] : "";
}

QString GridColumnCaption(int item) {
  switch (item) {
    case kItemPreview:
      return QStringLiteral("Bild");
    case kItemName:
      return QStringLiteral("Bezeichnung");
    case kItemBeschreibung:
      return QStringLiteral("Beschreibung");
    case kItemTextTop:
      return QStringLiteral("Oben");
    case kItemTextBottom:
      return QStringLiteral("Unten");
    case kItemTextLeft:
      return QStringLiteral("Links");
    case kItemTextRight:
      return QStringLiteral("Rechts");
    case kItemSuchbegriffe:
      return QStringLiteral("Suchbegriffe");
    case kItemPath:
      return QStringLiteral("Pfad");
    case kItemSize:
      return QStringLiteral("Größe");
    default:
      return {};
  }
}

GridModel::GridModel(CatalogueGrid& grid, PreviewCache& pictures, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), pictures_(pictures) {}

void GridModel::RecordsAboutToBeReset() {
  beginResetModel();
  pictures_.Clear();
}

void GridModel::RecordsReset() { endResetModel(); }

void GridModel::RecordAboutToBeAppended(int index) {
  beginInsertRows({}, index, index);
  // Pictures are cached by position: a record put between others moves the ones after it.
  if (index < grid_.Count()) pictures_.Clear();
}

void GridModel::RecordAppended(int) { endInsertRows(); }

void GridModel::RecordAboutToBeRemoved(int index) {
  beginRemoveRows({}, index, index);
  // Pictures are cached by position, and the positions after this one move.
  pictures_.Clear();
}

void GridModel::RecordRemoved(int) { endRemoveRows(); }

void GridModel::RecordChanged(int row) {
  pictures_.Forget(row);
  emit dataChanged(index(row, 0), index(row, kItemCount - 1));
}

void GridModel::MarksChanged(int first, int last) {
  emit dataChanged(index(first, kItemMark), index(last, kItemMark),
                   {Qt::CheckStateRole, Qt::BackgroundRole});
  emit marksChanged();
}

void GridModel::PreviewsArrived(int first, int last) {
  emit dataChanged(index(first, kItemPreview), index(last, kItemPreview), {Qt::DecorationRole});
}

void GridModel::SetHighlightedColumn(int item) {
  if (item == highlighted_) return;
  const int previous = highlighted_;
  highlighted_ = item;
  if (previous >= 0) emit headerDataChanged(Qt::Horizontal, previous, previous);
  if (item >= 0) emit headerDataChanged(Qt::Horizontal, item, item);
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.Count();
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kItemCount;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !grid_.Contains(index.row()) || index.column() >= kItemCount) return {};
  const GridRecord& record = grid_.Record(index.row());
  const int item = index.column();
  switch (item) {
    case kItemPreview:
      if (role == Qt::DecorationRole) {
        const QImage picture = pictures_.Get(index.row(), PreviewCache::Rule::GridCell);
        if (picture.isNull()) return {};
        return picture;
      }
      return {};
    case kItemMark:
      if (role == Qt::CheckStateRole) return record.marked ? Qt::Checked : Qt::Unchecked;
      // A marked record's check box shows the selection colour.
      if (role == Qt::BackgroundRole && record.marked)
        return QApplication::palette().brush(QPalette::Highlight);
      return {};
    case kItemKey:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return record.key;
      return {};
    case kItemSpacer:
    case kItemUnused:
      return {};
    default:
      if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole) {
        if (role == Qt::ToolTipRole && item != kItemPath) return {};
        return QString::fromStdString(record.Text(item));
      }
      if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignTop);
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role == Qt::EditRole && index.isValid() && grid_.Contains(index.row()) &&
      EditSelectorForItem(index.column())) {
    const std::string text = value.toString().toStdString();
    // An editor left without a change writes nothing.
    if (text == grid_.Record(index.row()).Text(index.column())) return true;
    const bool written = committer_ && committer_(index.row(), index.column(), text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return written;
  }
  if (!index.isValid() || !grid_.Contains(index.row()) || index.column() != kItemMark ||
      role != Qt::CheckStateRole)
    return false;
  grid_.SetMark(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == kItemMark) flags |= Qt::ItemIsUserCheckable;
  if (EditSelectorForItem(index.column())) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kItemCount) return {};
  switch (role) {
    case Qt::DisplayRole:
      return GridColumnCaption(section);
    case kColumnNameRole:
      return QString::fromLatin1(GridColumnName(section));
    case Qt::ForegroundRole:
      if (section == highlighted_) return QApplication::palette().brush(QPalette::HighlightedText);
      return {};
    case Qt::BackgroundRole:
      if (section == highlighted_) return QApplication::palette().brush(QPalette::Highlight);
      return {};
    case Qt::FontRole:
      if (section == highlighted_) {
        QFont font = QApplication::font();
        font.setBold(true);
        return font;
      }
      return {};
    default:
      return {};
  }
}

}  // namespace vemora::ui
