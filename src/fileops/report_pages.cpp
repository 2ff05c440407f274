#include "fileops/report_pages.h"

#include <algorithm>

namespace vemora {

ReportPaginator::ReportPaginator(int32_t rowCount, int32_t pageHeight, int32_t headerHeight)
    : rowCount_(std::max(0, rowCount)), available_(pageHeight - headerHeight) {}

std::optional<RowRange> ReportPaginator::NextPage(const RowHeight& rowHeight) {
  if (next_ >= rowCount_) return std::nullopt;
  RowRange page{next_, next_};
  int32_t used = 0;
  while (page.end < rowCount_) {
    const int32_t height = carriedHeight_ ? *carriedHeight_ : std::max(0, rowHeight(page.end));
    carriedHeight_.reset();
    // The first row always goes on its page, however tall.
    if (page.end > page.first && used + height > available_) {
      carriedHeight_ = height;
      break;
    }
    used += height;
    ++page.end;
  }
  next_ = page.end;
  return page;
}

double ShrinkToPageWidth(double contentWidth, double pageWidth) {
  if (contentWidth <= pageWidth || contentWidth <= 0) return 1.0;
  return pageWidth / contentWidth;
}

}  // namespace vemora
