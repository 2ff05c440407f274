// The thumbnail strip's model: one entry per grid record (caption, record index, picture
// source) as the core lists them. Once built, it follows the grid model: records added,
// removed or changed by a command show in the strip at once; a reload empties it until it
// is built again. Pictures are scaled to the strip's size when first painted and kept;
// the decoded previews come from the shared cache.
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

  ThumbnailModel(const CatalogueGrid& grid, const QAbstractItemModel& gridModel,
                 PreviewCache& previews, QObject* parent = nullptr);

  void Rebuild(std::vector<ThumbnailEntry> entries, const QImage& placeholder);
  void SetThumbnailSize(int size);
  int thumbnailSize() const { return size_; }
  void SetCaptionsShown(bool shown);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  void RecordsInserted(int first, int last);
  void RecordsRemoved(int first, int last);
  void RecordsChanged(int first, int last, const QList<int>& roles);
  void RecordsReset();
  ThumbnailEntry EntryFor(int record) const;

  const CatalogueGrid& grid_;
  PreviewCache& previews_;
  std::vector<ThumbnailEntry> entries_;
  bool built_ = false;
  QImage placeholder_;
  int size_ = 100;
  bool captions_ = true;
  mutable QCache<int, QPixmap> scaled_{2 * 1024};  // KiB
};

}  // namespace vemora::ui
