// The catalogue's rules that need no database: size and time texts, the grid's column
// numbering and the thumbnail size.
#include <gtest/gtest.h>

#include "catalogue/adding.h"
#include "catalogue/editing.h"
#include "catalogue/grid_record.h"
#include "catalogue/size_text.h"
#include "catalogue/window_rules.h"

namespace vemora {
namespace {

// File sizes round down but never below one.
TEST(SizeTextTest, SizesRoundAndTimesDropTheLargerUnits) {
  EXPECT_EQ(FileSizeText(0), "1 KByte");
  EXPECT_EQ(FileSizeText(2048), "2 KByte");
  EXPECT_EQ(FileSizeText(10'000'000'000), "9765625 KByte");

  // Stored sizes round to the nearest KiB, ties to even.
  const std::pair<uint64_t, uint64_t> cases[] = {{0, 0},    {511, 0},  {512, 0},  {513, 1},
                                                 {1536, 2}, {2560, 2}, {2561, 3}, {3584, 4}};
  for (const auto& [bytes, kib] : cases) EXPECT_EQ(StoredSizeKiB(bytes), kib) << bytes;
  EXPECT_EQ(RoundedSizeText(2560), "2 KByte");
  EXPECT_EQ(PixelSizeText(640, 480, 2), "640 x 480 Pixel (2KB)");

  using std::chrono::milliseconds;
  EXPECT_EQ(FileDurationText(milliseconds(61'250)), "1,250 Sekunden ");
  EXPECT_EQ(ElapsedText(milliseconds(123'040)), "2 Minuten 3,40 Sekunden");
  EXPECT_EQ(ElapsedText(milliseconds(3'600'000 + 61'001)), "1 Minuten 1,1 Sekunden");
}

// Grid items and selectors are numbered differently (item 9 is selector 14): a mix-up would
// write a text into the wrong column.
TEST(WindowRules, GridColumnsMapToSelectorsAndThumbnailSizes) {
  const std::pair<int, int32_t> editable[] = {
      {kItemName, 3},      {kItemBeschreibung, 4}, {kItemTextTop, 9},      {kItemTextBottom, 10},
      {kItemTextLeft, 11}, {kItemTextRight, 12},   {kItemSuchbegriffe, 14}};
  for (const auto& [item, selector] : editable) EXPECT_EQ(EditSelectorForItem(item), selector);
  for (int item : {kItemPreview, kItemFile, kItemKey, kItemMark, kItemPath, kItemSize})
    EXPECT_FALSE(EditSelectorForItem(item).has_value()) << item;

  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeFromSettings, 60, 120, 80), 120);
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeGiven, 60, 120, 80), 60);
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeGiven, 0, 120, 80), 80);
  EXPECT_EQ(ResolveThumbnailSize(7, 60, 120, 80), 80);
  EXPECT_EQ(ParseThumbnailSize("10"), 10);
  EXPECT_EQ(ParseThumbnailSize("200"), 200);
  for (const char* bad : {"9", "201", "", "-50", "50px", " 50", "abc"})
    EXPECT_EQ(ParseThumbnailSize(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace vemora
