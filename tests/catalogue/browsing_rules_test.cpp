// The browsing rules that need no window: size texts, marks, focus by key, command states,
// the Delete/Insert rule and the thumbnail strip's size and entries.
#include <gtest/gtest.h>

#include "catalogue/grid_record.h"
#include "catalogue/size_text.h"
#include "catalogue/window_rules.h"

namespace vemora {
namespace {

CatalogueGrid GridOf(std::initializer_list<std::pair<const char*, int32_t>> rows) {
  CatalogueGrid grid;
  for (const auto& [name, key] : rows) {
    GridRecord record;
    record.name = name;
    record.key = key;
    record.preview = "\xFF\xD8";
    grid.records.push_back(record);
  }
  return grid;
}

TEST(SizeTextTest, FileSizeRoundsDownButNeverBelowOne) {
  EXPECT_EQ(FileSizeText(0), "1 KByte");
  EXPECT_EQ(FileSizeText(2047), "1 KByte");
  EXPECT_EQ(FileSizeText(2048), "2 KByte");
  EXPECT_EQ(FileSizeText(10'000'000'000), "9765625 KByte");
}

TEST(SizeTextTest, StoredSizeRoundsToNearestWithTiesToEven) {
  EXPECT_EQ(StoredSizeKiB(0), 0u);
  EXPECT_EQ(StoredSizeKiB(511), 0u);
  EXPECT_EQ(StoredSizeKiB(512), 0u);  // half of 0..1 goes to 0
  EXPECT_EQ(StoredSizeKiB(513), 1u);
  EXPECT_EQ(StoredSizeKiB(1536), 2u);  // 1.5 -> 2
  EXPECT_EQ(StoredSizeKiB(2560), 2u);  // 2.5 -> 2
  EXPECT_EQ(StoredSizeKiB(3584), 4u);  // 3.5 -> 4
  EXPECT_EQ(StoredSizeKiB(2561), 3u);
  EXPECT_EQ(PixelSizeText(640, 480, 2), "640 x 480 Pixel (2KB)");
}

TEST(GridRecordTest, MarksOperationsAndTheMarkedNames) {
  CatalogueGrid grid = GridOf({{"a", 1}, {"b", 2}, {"", 3}});
  grid.records[1].marked = true;
  grid.InvertMarks();
  EXPECT_EQ(grid.Marks(), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(grid.MarkedNames(), (std::vector<std::string>{"a", ""}));
  grid.UnmarkAll();
  EXPECT_TRUE(grid.MarkedNames().empty());
  grid.MarkAll();
  EXPECT_EQ(grid.Marks(), (std::vector<bool>{true, true, true}));
}

TEST(GridRecordTest, PreselectedKeyFocusesTheLastRecordWithIt) {
  CatalogueGrid grid = GridOf({{"a", 5}, {"b", 7}, {"c", 5}});
  FocusPreselectedKey(grid, 99);
  EXPECT_EQ(grid.focused, -1);
  FocusPreselectedKey(grid, 5);
  EXPECT_EQ(grid.focused, 2);
  FocusPreselectedKey(grid, -1);
  EXPECT_EQ(grid.focused, 2);
}

// The cells that are not simply a field: both file columns show the path, the key as text.
TEST(GridRecordTest, ItemTextsFollowTheItemIndices) {
  GridRecord record;
  record.key = 42;
  EXPECT_EQ(record.Text(kItemPath), "");  // unassigned
  record.filePath = "/bilder/haus.jpg";
  EXPECT_EQ(record.Text(kItemFile), "/bilder/haus.jpg");
  EXPECT_EQ(record.Text(kItemPath), "/bilder/haus.jpg");
  EXPECT_EQ(record.Text(kItemKey), "42");
  EXPECT_EQ(record.Text(kItemSpacer), "");
}

TEST(WindowRulesTest, CommandsFollowFocusAndRecordCount) {
  CatalogueGrid grid;
  EXPECT_FALSE(CommandStatesFor(grid).recordCommands);
  EXPECT_FALSE(CommandStatesFor(grid).wholeCatalogueCommands);
  grid = GridOf({{"a", 1}});
  EXPECT_FALSE(CommandStatesFor(grid).recordCommands);
  EXPECT_TRUE(CommandStatesFor(grid).wholeCatalogueCommands);
  grid.focused = 0;
  EXPECT_TRUE(CommandStatesFor(grid).recordCommands);
}

TEST(WindowRulesTest, EditKeysStayInTextCellsOnly) {
  for (int item : {kItemName, kItemBeschreibung, kItemTextTop, kItemTextBottom, kItemTextLeft,
                   kItemTextRight, kItemSuchbegriffe}) {
    EXPECT_TRUE(EditKeysStayInCell(item)) << item;
    EXPECT_TRUE(HeaderTakesFocusStyle(item)) << item;
  }
  EXPECT_FALSE(EditKeysStayInCell(kItemPreview));
  EXPECT_TRUE(HeaderTakesFocusStyle(kItemPreview));
  for (int item : {kItemMark, kItemPath, kItemSize, kItemFile, kItemKey}) {
    EXPECT_FALSE(EditKeysStayInCell(item)) << item;
    EXPECT_FALSE(HeaderTakesFocusStyle(item)) << item;
  }
}

TEST(WindowRulesTest, ThumbnailSizeModesAndTheEditsRange) {
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeFromSettings, 60, 120, 80), 120);
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeGiven, 60, 120, 80), 60);
  EXPECT_EQ(ResolveThumbnailSize(kThumbnailSizeGiven, 0, 120, 80), 80);
  EXPECT_EQ(ResolveThumbnailSize(7, 60, 120, 80), 80);
  EXPECT_EQ(ParseThumbnailSize("10"), 10);
  EXPECT_EQ(ParseThumbnailSize("200"), 200);
  for (const char* bad : {"9", "201", "", "-50", "50px", " 50", "abc"})
    EXPECT_EQ(ParseThumbnailSize(bad), std::nullopt) << bad;
}

TEST(WindowRulesTest, ThumbnailEntriesUsePreviewThenPlaceholder) {
  CatalogueGrid grid = GridOf({{"mit", 1}, {"ohne", 2}});
  grid.records[1].preview.clear();
  auto entries = ThumbnailEntries(grid, false);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].caption, "mit");
  EXPECT_EQ(entries[0].picture, ThumbnailEntry::Picture::Preview);
  EXPECT_EQ(entries[1].recordIndex, 1);
  EXPECT_EQ(entries[1].picture, ThumbnailEntry::Picture::None);
  EXPECT_EQ(ThumbnailEntries(grid, true)[1].picture, ThumbnailEntry::Picture::Placeholder);
  EXPECT_EQ(PlaceholderPath(""), "");
  EXPECT_EQ(PlaceholderPath("/tmp/x/Temp/Vemora/"), "/tmp/x/Temp/Vemora/Leer.BMP");
}

}  // namespace
}  // namespace vemora
