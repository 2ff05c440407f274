#include "ui/thumbnail_model.h"

#include "ui/preview_cache.h"

namespace vemora::ui {

ThumbnailModel::ThumbnailModel(PreviewCache& previews, QObject* parent)
    : QAbstractListModel(parent), previews_(previews) {}

void ThumbnailModel::Rebuild(std::vector<ThumbnailEntry> entries, const QImage& placeholder) {
  beginResetModel();
  entries_ = std::move(entries);
  placeholder_ = placeholder;
  scaled_.clear();
  endResetModel();
}

void ThumbnailModel::Append(std::vector<ThumbnailEntry> entries) {
  if (entries.empty()) return;
  const int first = static_cast<int>(entries_.size());
  beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
  for (ThumbnailEntry& entry : entries) entries_.push_back(std::move(entry));
  endInsertRows();
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

void ThumbnailModel::SetCaption(int recordIndex, const std::string& caption) {
  for (size_t row = 0; row < entries_.size(); ++row) {
    if (entries_[row].recordIndex != recordIndex) continue;
    entries_[row].caption = caption;
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::ToolTipRole});
  }
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
