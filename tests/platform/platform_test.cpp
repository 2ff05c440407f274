// Path splitting and file dialog filters, as the catalogue's commands use them.
#include <gtest/gtest.h>

#include "catalogue/catalogue_dialogs.h"
#include "platform/file_filter.h"
#include "platform/paths.h"

namespace vemora::platform {
namespace {

TEST(PathsTest, SplitsAtTheLastSeparator) {
  EXPECT_EQ(FileNamePart("/bilder/2024/haus.jpg"), "haus.jpg");
  EXPECT_EQ(FolderPart("/bilder/2024/haus.jpg"), "/bilder/2024/");
  EXPECT_EQ(FileNamePart("haus.jpg"), "haus.jpg");
  EXPECT_EQ(FolderPart("haus.jpg"), "");
  EXPECT_EQ(FileNamePart("/bilder/"), "");
  EXPECT_EQ(WithTrailingSeparator("/bilder"), std::string("/bilder") + kPathSeparator);
  EXPECT_EQ(WithTrailingSeparator("/bilder/"), "/bilder/");
  EXPECT_EQ(WithTrailingSeparator(""), "");
}

TEST(FileFilterTest, ThePictureFilterHasFiveEntries) {
  const auto filters = ParseFileFilter(kPictureFileFilter);
  ASSERT_EQ(filters.size(), 5u);
  EXPECT_EQ(filters[0].text, "Alle (*.jpg;*.jpeg;*.bmp;*.ico)");
  // The trailing ";" of the first pattern list adds no empty pattern.
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.jpg", "*.jpeg", "*.bmp", "*.ico"}));
  EXPECT_EQ(filters[2].text, "JPEG-Grafikdatei (*.jpeg)");
  EXPECT_EQ(filters[4].text, "Symbole (*.ico)");
  EXPECT_EQ(filters[4].patterns, std::vector<std::string>{"*.ico"});
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("ohne Muster").empty());
}

}  // namespace
}  // namespace vemora::platform
