// The thumbnail strip's model: one entry per grid record (caption, record index, picture
// source) as the core lists them. Pictures are scaled to the strip's size when first
// painted and kept; the decoded previews come from the shared cache.
#pragma once

#include <QAbstractListModel>
#include <QCache>
#include <QImage>
#include <QPixmap>
#include <vector>

#include "catalogue/window_rules.h"

namespace vemora::ui {

class PreviewCache;

class ThumbnailModel : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kRecordIndexRole = Qt::UserRole + 1;

  explicit ThumbnailModel(PreviewCache& previews, QObject* parent = nullptr);

  void Rebuild(std::vector<ThumbnailEntry> entries, const QImage& placeholder);
  // Thumbnails for records just added, after the others.
  void Append(std::vector<ThumbnailEntry> entries);
  bool HasPlaceholder() const { return !placeholder_.isNull(); }
  void SetThumbnailSize(int size);
  int thumbnailSize() const { return size_; }
  void SetCaptionsShown(bool shown);
  // A renamed record's caption, without rebuilding the strip.
  void SetCaption(int recordIndex, const std::string& caption);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  PreviewCache& previews_;
  std::vector<ThumbnailEntry> entries_;
  QImage placeholder_;
  int size_ = 100;
  bool captions_ = true;
  mutable QCache<int, QPixmap> scaled_{2 * 1024};  // KiB
};

}  // namespace vemora::ui
