// Page breaks of a printed table ("Alles Drucken"): which rows go on which page, decided
// one page at a time, so a report over many rows never measures or draws more than the page
// it is working on. The window measures a row (its picture, its wrapped texts) when asked
// and draws the rows of the page this returns. Pure arithmetic in whole device units.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace vemora {

struct RowRange {
  int32_t first = 0;
  int32_t end = 0;  // one past the last row
  bool operator==(const RowRange&) const = default;
};

// Splits rows 0..rowCount-1 into pages. Every page repeats the table's header rows
// (headerHeight) above its rows; a page holds as many whole rows as fit below them, and at
// least one (a row taller than the page is cut at the page's foot).
class ReportPaginator {
 public:
  using RowHeight = std::function<int32_t(int32_t row)>;

  ReportPaginator(int32_t rowCount, int32_t pageHeight, int32_t headerHeight);

  // The rows of the next page, or none after the last. rowHeight is asked once per row,
  // in row order: the row that did not fit is remembered for the next page.
  std::optional<RowRange> NextPage(const RowHeight& rowHeight);

 private:
  int32_t rowCount_;
  int32_t available_;  // page height below the header rows
  int32_t next_ = 0;
  std::optional<int32_t> carriedHeight_;  // of row next_, measured but not yet placed
};

// The factor that shrinks content `contentWidth` wide to `pageWidth`; never above 1.
double ShrinkToPageWidth(double contentWidth, double pageWidth);

}  // namespace vemora
