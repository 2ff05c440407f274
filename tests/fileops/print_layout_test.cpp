// The single-image page: where picture and captions go for each alignment, the gap kept by
// empty captions, and when the page is shrunk to its width.
#include <gtest/gtest.h>

#include "fileops/print_layout.h"

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
}

TEST(PrintLayout, AnUnknownAlignmentKeepsThePreviousPosition) {
  SingleImagePageLayout previous;
  previous.captions = {{{0, 7}, {99, 8}, {9, 0}, {11, 99}}};
  const auto layout = LayOutSingleImagePage({{201, 101}, kCaptions, {3, -1, 5, 7}}, previous);
  EXPECT_EQ(layout.captions[0], (PagePoint{0, 7}));
  EXPECT_EQ(layout.captions[1], (PagePoint{261, 8}));
  EXPECT_EQ(layout.captions[2], (PagePoint{9, 0}));
  EXPECT_EQ(layout.captions[3], (PagePoint{11, 134}));
}

}  // namespace
}  // namespace vemora
