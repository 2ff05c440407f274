// The parts of a call a host sees on disk: bdselect.txt and the folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/call_state.h"
#include "host/selection_file.h"
#include "platform/paths.h"
#include "settings/executable_folder.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

using SelectionFileTest = testing::TempFolderTest;

// The CR LF lines written are checked through the window (entry_test.cpp); here the
// extremes of the key range read back, and a file that cannot be written.
TEST_F(SelectionFileTest, KeysReadBackAndAnUnwritableFileIsNamed) {
  const std::string path = PathOf("bdselect.txt");
  WriteSelectionFile(path, {-1, 2147483647, 0});
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{"-1", "2147483647", "0"}));

  PutFile("plainfile", "x");
  const std::string unwritable = PathOf("plainfile/bdselect.txt");
  try {
    WriteSelectionFile(unwritable, {1});
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(unwritable), std::string::npos) << error.what();
  }
}

TEST_F(SelectionFileTest, ReadingAcceptsWhatOtherProgramsWrite) {
  const std::string path = PathOf("bdselect.txt");
  EXPECT_TRUE(ReadSelectionFile(path).empty());  // missing file: nothing marked

  PutFile("bdselect.txt",
          "\xEF\xBB\xBF"
          "5\r\n6\n7");
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{"5", "6", "7"}));

  PutFile("bdselect.txt", std::string("\xFF\xFE"
                                      "4\0"
                                      "2\0\r\0\n\0"
                                      "9\0",
                                      12));
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{"42", "9"}));

  // Whole lines only: neither " 5" nor "05" is the key 5.
  PutFile("bdselect.txt", " 5\r\n05\r\nabc\r\n\r\n5\r\n");
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{" 5", "05", "abc", "", "5"}));
}

using FoldersTest = testing::TempFolderTest;

constexpr char kSeparator = platform::kPathSeparator;

TEST_F(FoldersTest, TrailingSeparatorMakesNoDifferenceAndEmptyIsTheExecutablesFolder) {
  const std::string plain = folder_.string();
  EXPECT_EQ(NormalizeSettingsFolder(plain), plain + kSeparator);
  EXPECT_EQ(NormalizeSettingsFolder(plain + "/"), plain + "/");
  for (const char* empty : {"", "  "})
    EXPECT_EQ(NormalizeSettingsFolder(empty), ExecutableFolder().string() + kSeparator);
  std::string failure;
  EXPECT_EQ(PrepareTempFolder(NormalizeSettingsFolder(plain), failure),
            plain + kSeparator + "Temp" + kSeparator + "Vemora" + kSeparator);
  EXPECT_TRUE(failure.empty());
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "Temp" / "Vemora"));
}

TEST_F(FoldersTest, TempFolderThatCannotBeMadeGivesTheNotice) {
  PutFile("plainfile", "x");
  const std::string settings = PathOf("plainfile") + kSeparator;
  std::string failure;
  EXPECT_EQ(PrepareTempFolder(settings, failure), "");
  EXPECT_EQ(failure, "Das Verzeichnis : " + settings + "Temp" + kSeparator +
                         "Vemora konnte nicht angelegt werden!");
}

}  // namespace
}  // namespace vemora
