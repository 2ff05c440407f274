// Decoded previews of the grid records, made the first time a view paints them and kept
// within a fixed memory budget, so a large catalogue never holds all its pictures decoded.
// The grid model and the thumbnail model share one cache; the window owns it and empties
// it whenever the records are replaced.
#pragma once

#include <QCache>
#include <QImage>

#include "catalogue/grid_record.h"

namespace vemora::ui {

class PreviewCache {
 public:
  enum class Rule { GridCell, Picture };  // grid cells also know icons

  explicit PreviewCache(const CatalogueGrid& grid, qsizetype budgetKiB = 6 * 1024);

  // The record's preview decoded by the rule; a null image when it holds no picture.
  QImage Get(int record, Rule rule);
  void Clear() { images_.clear(); }
  // Drops one record's pictures after its preview changed.
  void Forget(int record);

 private:
  const CatalogueGrid& grid_;
  QCache<qint64, QImage> images_;
};

}  // namespace vemora::ui
