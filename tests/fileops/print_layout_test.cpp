// The single-image page: where picture and captions go for each alignment, the gap kept by
// empty captions, and when the page is shrunk to its width. Page breaks of the printed table.
#include <gtest/gtest.h>
#include <vector>

#include "fileops/print_layout.h"
#include "fileops/report_pages.h"

namespace vemora {
namespace {

struct LayoutCase {
  const char* what;
  SingleImagePageInput input;
  SingleImagePageLayout expected;
};

// Captions: left 40x13, right 50x13, top 60x13, bottom 30x13 unless a case says otherwise.
constexpr std::array<PageSize, 4> kCaptions = {PageSize{40, 13}, PageSize{50, 13}, PageSize{60, 13},
                                               PageSize{30, 13}};

TEST(PrintLayout, EveryAlignmentPlacesItsCaptionAsItShould) {
  const std::vector<LayoutCase> cases = {
      {"all centred (the default)",
       {{201, 101}, kCaptions, {1, 1, 1, 1}},
       // L 50, R 60, T 23, B 23; halves round toward zero.
       {{311, 147}, {50, 23}, {{{0, 63}, {261, 63}, {120, 0}, {135, 134}}}, false}},
      {"top/left and bottom/right",
       {{201, 101}, kCaptions, {0, 2, 0, 2}},
       {{311, 147}, {50, 23}, {{{0, 23}, {261, 114}, {50, 0}, {221, 134}}}, false}},
      {"bottom/right and top/left",
       {{201, 101}, kCaptions, {2, 0, 2, 0}},
       {{311, 147}, {50, 23}, {{{0, 114}, {261, 23}, {191, 0}, {50, 134}}}, false}},
      {"a caption wider than the picture, centred, starts left of it",
       {{21, 10}, {PageSize{0, 0}, PageSize{0, 0}, PageSize{60, 13}, PageSize{0, 0}}, {1, 1, 1, 1}},
       // (21 - 60) / 2 = -19 (toward zero, not -20).
       {{41, 43}, {10, 23}, {{{0, 18}, {41, 18}, {-9, 0}, {20, 43}}}, false}},
      {"no captions printed: each side still keeps its gap",
       {{100, 50}, {}, {1, 1, 1, 1}},
       {{120, 70}, {10, 10}, {{{0, 25}, {120, 25}, {60, 0}, {60, 70}}}, false}},
      {"wider than the page is shrunk",
       {{600, 50}, kCaptions, {1, 1, 1, 1}},
       {{710, 96}, {50, 23}, {{{0, 38}, {660, 38}, {320, 0}, {335, 83}}}, true}},
      {"exactly the page width is not",
       {{574, 50}, kCaptions, {1, 1, 1, 1}},
       {{684, 96}, {50, 23}, {{{0, 38}, {634, 38}, {307, 0}, {322, 83}}}, false}},
  };
  for (const auto& [what, input, expected] : cases) {
    const SingleImagePageLayout layout = LayOutSingleImagePage(input);
    EXPECT_EQ(layout.panel, expected.panel) << what;
    EXPECT_EQ(layout.image, expected.image) << what;
    for (size_t side = 0; side < 4; ++side) {
      EXPECT_EQ(layout.captions[side], expected.captions[side]) << what << ", side " << side;
    }
    EXPECT_EQ(layout.shrinkToPageWidth, expected.shrinkToPageWidth) << what;
  }

  // An unknown alignment keeps the previous position.
  SingleImagePageLayout previous;
  previous.captions = {{{0, 7}, {99, 8}, {9, 0}, {11, 99}}};
  const auto layout = LayOutSingleImagePage({{201, 101}, kCaptions, {3, -1, 5, 7}}, previous);
  EXPECT_EQ(layout.captions[0], (PagePoint{0, 7}));
  EXPECT_EQ(layout.captions[1], (PagePoint{261, 8}));
  EXPECT_EQ(layout.captions[2], (PagePoint{9, 0}));
  EXPECT_EQ(layout.captions[3], (PagePoint{11, 134}));
}

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
