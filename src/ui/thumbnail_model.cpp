#include "ui/thumbnail_model.h"

#include "ui/preview_cache.h"

namespace vemora::ui {

ThumbnailModel::ThumbnailModel(const CatalogueGrid& grid, const QAbstractItemModel& gridModel,
                               PreviewCache& previews, QObject* parent)
    : QAbstractListModel(parent), grid_(grid), previews_(previews) {
  connect(&gridModel, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { RecordsInserted(first, last); });
  connect(&gridModel, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex&, int first, int last) { RecordsRemoved(first, last); });
  connect(
      &gridModel, &QAbstractItemModel::dataChanged, this,
      [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
        RecordsChanged(topLeft.row(), bottomRight.row(), roles);
      });
  connect(&gridModel, &QAbstractItemModel::modelReset, this, &ThumbnailModel::RecordsReset);
}

ThumbnailEntry ThumbnailModel::EntryFor(int record) const {
  return ThumbnailEntryFor(grid_.Record(record), record, !placeholder_.isNull());
}

void ThumbnailModel::RecordsInserted(int first, int last) {
  // A strip that was never built (thumbnails hidden by the settings) stays empty.
  if (!built_) return;
  beginInsertRows({}, first, last);
  std::vector<ThumbnailEntry> added;
  for (int record = first; record <= last; ++record) added.push_back(EntryFor(record));
  entries_.insert(entries_.begin() + first, added.begin(), added.end());
  for (size_t row = static_cast<size_t>(last) + 1; row < entries_.size(); ++row)
    entries_[row].recordIndex += last - first + 1;
  scaled_.clear();
  endInsertRows();
}

void ThumbnailModel::RecordsRemoved(int first, int last) {
  if (!built_ || last >= static_cast<int>(entries_.size())) return;
  beginRemoveRows({}, first, last);
  entries_.erase(entries_.begin() + first, entries_.begin() + last + 1);
  for (size_t row = static_cast<size_t>(first); row < entries_.size(); ++row)
    entries_[row].recordIndex -= last - first + 1;
  scaled_.clear();
  endRemoveRows();
}

void ThumbnailModel::RecordsChanged(int first, int last, const QList<int>& roles) {
  // Marks are not shown in the strip.
  if (!built_ || roles.contains(Qt::CheckStateRole)) return;
  last = std::min(last, static_cast<int>(entries_.size()) - 1);
  for (int row = first; row <= last; ++row) {
    entries_[static_cast<size_t>(row)] = EntryFor(row);
    scaled_.remove(row);
  }
  if (first <= last) emit dataChanged(index(first), index(last));
}

void ThumbnailModel::RecordsReset() {
  if (entries_.empty()) return;
  beginResetModel();
  entries_.clear();
  scaled_.clear();
  endResetModel();
}

void ThumbnailModel::Rebuild(std::vector<ThumbnailEntry> entries, const QImage& placeholder) {
  beginResetModel();
  built_ = true;
  entries_ = std::move(entries);
  placeholder_ = placeholder;
  scaled_.clear();
  endResetModel();
}

void ThumbnailModel::SetThumbnailSize(int size) {
  if (size == size_) return;
  size_ = size;
  scaled_.clear();
  if (!entries_.empty())
    emit dataChanged(index(0), index(static_cast<int>(entries_.size()) - 1),
                     {Qt::DecorationRole, Qt::SizeHintRole});
}

void ThumbnailModel::SetCaptionsShown(bool shown) {
  if (shown == captions_) return;
  beginResetModel();
  captions_ = shown;
  endResetModel();
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const ThumbnailEntry& entry = entries_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return captions_ ? QString::fromStdString(entry.caption) : QString();
    case Qt::ToolTipRole:
      return QString::fromStdString(entry.caption);
    case kRecordIndexRole:
      return entry.recordIndex;
    case Qt::DecorationRole: {
      if (QPixmap* cached = scaled_.object(index.row())) return *cached;
      QImage image;
      if (entry.picture == ThumbnailEntry::Picture::Preview)
        image = previews_.Get(entry.recordIndex, PreviewCache::Rule::Picture);
      else if (entry.picture == ThumbnailEntry::Picture::Placeholder)
        image = placeholder_;
      if (image.isNull()) return {};
      auto* pixmap = new QPixmap(QPixmap::fromImage(
          image.scaled(size_, size_, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
      const QPixmap result = *pixmap;
      scaled_.insert(index.row(), pixmap, std::max(1, size_ * size_ * 4 / 1024));
      return result;
    }
    default:
      return {};
  }
}

}  // namespace vemora::ui
