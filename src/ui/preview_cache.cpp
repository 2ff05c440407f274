#include "ui/preview_cache.h"

#include "ui/picture.h"

namespace vemora::ui {
namespace {

qint64 KeyOf(int record, PreviewCache::Rule rule) {
  return static_cast<qint64>(record) * 2 + (rule == PreviewCache::Rule::GridCell ? 1 : 0);
}

}  // namespace

PreviewCache::PreviewCache(const CatalogueGrid& grid, qsizetype budgetKiB)
    : grid_(grid), images_(budgetKiB) {}

QImage PreviewCache::Get(int record, Rule rule) {
  // A preview still on its way is not cached as missing: it is asked for again when it comes.
  if (!grid_.Contains(record) || grid_.Record(record).previewPending) return {};
  const qint64 key = KeyOf(record, rule);
  if (QImage* cached = images_.object(key)) return *cached;
  const std::string_view bytes = grid_.Record(record).preview;
  auto* image =
      new QImage(rule == Rule::GridCell ? GridCellPicture(bytes) : PictureFromBytes(bytes));
  const QImage result = *image;
  images_.insert(key, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
  return result;
}

void PreviewCache::Forget(int record) {
  images_.remove(KeyOf(record, Rule::GridCell));
  images_.remove(KeyOf(record, Rule::Picture));
}

}  // namespace vemora::ui
