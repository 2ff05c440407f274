// File names outside ASCII go through every file service unchanged: written, read, sized,
// renamed and dated under the name the catalogue holds as UTF-8. Path splitting and file
// dialog filters.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "catalogue/catalogue_dialogs.h"
#include "platform/file_filter.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/file_times.h"
#include "platform/paths.h"
#include "platform/utf8_path.h"
#include "support/temp_folder.h"

namespace vemora::platform {
namespace {

class FileNamesTest : public testing::TempFolderTest {};

TEST_F(FileNamesTest, NamesOutsideAsciiReachTheDiskUnchanged) {
  const FileSystem& files = LocalFileSystem();
  for (const std::string name : {"Grüße.bin", "Ölgemälde – März.jpg", "日本.tif"}) {
    SCOPED_TRACE(name);
    const std::string path = Utf8FromPath(folder_) + "/" + name;
    WriteWholeFile(path, "bytes");
    // The name on disk is the one given, not a code-page rendering of its bytes.
    EXPECT_TRUE(std::filesystem::exists(folder_ / PathFromUtf8(name)));
    EXPECT_EQ(ReadWholeFile(path), "bytes");
    EXPECT_TRUE(files.Exists(path));
    EXPECT_EQ(files.FileSize(path), 5u);
    EXPECT_TRUE(LastWriteTwoSecondSlot(path).has_value());

    const std::string renamed = path + ".alt";
    EXPECT_TRUE(RenameWithoutReplacing(path, renamed));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_EQ(ReadWholeFile(renamed), "bytes");
  }
}

#ifndef _WIN32
TEST_F(FileNamesTest, ANamedPipeIsRefusedInsteadOfWaitedOn) {
  const std::filesystem::path pipe = folder_ / "Bild.jpg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THROW(ReadWholeFile(Utf8FromPath(pipe)), std::runtime_error);
}
#endif

TEST(PathsTest, Utf8RoundTripsSplittingAndThePictureFilter) {
  EXPECT_EQ(FileNamePart("/bilder/2024/haus.jpg"), "haus.jpg");
  EXPECT_EQ(FolderPart("/bilder/2024/haus.jpg"), "/bilder/2024/");
  EXPECT_EQ(FileNamePart("haus.jpg"), "haus.jpg");
  EXPECT_EQ(FolderPart("haus.jpg"), "");
  EXPECT_EQ(FileNamePart("/bilder/"), "");
  EXPECT_EQ(WithTrailingSeparator("/bilder"), std::string("/bilder") + kPathSeparator);
  EXPECT_EQ(WithTrailingSeparator("/bilder/"), "/bilder/");
  EXPECT_EQ(WithTrailingSeparator(""), "");

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

  for (const std::string text : {"", "a/b", "Grüße.bin", "日本/写真.jpg"})
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(text)), text);
  EXPECT_EQ(Utf8FromPath(PathFromUtf8("Bilder").filename()), "Bilder");
  EXPECT_EQ(Utf8FromPath(PathFromUtf8("März.jpg").stem()), "März");
}

}  // namespace
}  // namespace vemora::platform
