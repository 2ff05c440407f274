// Page breaks of the printed table: whole rows per page below the repeated header, a row
// taller than a page alone on its own, each row measured once.
#include <gtest/gtest.h>

#include <vector>

#include "fileops/report_pages.h"

namespace vemora {
namespace {

struct PagesCase {
  const char* what;
  std::vector<int32_t> heights;
  int32_t pageHeight;
  int32_t headerHeight;
  std::vector<RowRange> expected;
};

TEST(ReportPages, RowsFillEachPageBelowItsHeader) {
  const std::vector<PagesCase> cases = {
      {"no rows: no page", {}, 100, 10, {}},
      {"all on one page", {30, 30, 30}, 100, 10, {{0, 3}}},
      {"a row that just fits stays", {30, 30, 30, 10}, 100, 10, {{0, 3}, {3, 4}}},
      {"a row one unit too tall moves on", {30, 30, 31, 5}, 100, 10, {{0, 2}, {2, 4}}},
      {"a row taller than a page is alone", {20, 500, 20, 20}, 100, 10, {{0, 1}, {1, 2}, {2, 4}}},
      {"a header as tall as the page still prints a row per page",
       {5, 5},
       50,
       50,
       {{0, 1}, {1, 2}}},
      {"many pages of equal rows",
       std::vector<int32_t>(10, 40),
       130,
       10,
       {{0, 3}, {3, 6}, {6, 9}, {9, 10}}},
  };
  for (const PagesCase& test : cases) {
    const auto& [what, heights, pageHeight, headerHeight, expected] = test;
    ReportPaginator pages(static_cast<int32_t>(heights.size()), pageHeight, headerHeight);
    std::vector<int32_t> asked;
    std::vector<RowRange> got;
    while (auto page = pages.NextPage([&](int32_t row) {
      asked.push_back(row);
      return test.heights[static_cast<size_t>(row)];
    })) {
      got.push_back(*page);
    }
    EXPECT_EQ(got, expected) << what;
    std::vector<int32_t> once(heights.size());
    for (size_t row = 0; row < once.size(); ++row) once[row] = static_cast<int32_t>(row);
    EXPECT_EQ(asked, once) << what << ": every row measured once, in order";
  }
}

}  // namespace
}  // namespace vemora
