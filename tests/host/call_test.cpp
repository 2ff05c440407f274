// The parts of a call a host sees on disk or on screen: bdselect.txt, the folders, the
// prompts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/call_state.h"
#include "host/selection_file.h"
#include "settings/executable_folder.h"

namespace vemora {
namespace {

class TempFolder : public ::testing::Test {
 protected:
  TempFolder()
      : root(std::filesystem::temp_directory_path() /
             ("vemora_call_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
  }
  ~TempFolder() override { std::filesystem::remove_all(root); }

  std::string Read(const std::string& name) const {
    std::ifstream in(root / name, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(root / name, std::ios::binary) << content;
  }

  std::filesystem::path root;
};

using SelectionFileTest = TempFolder;

TEST_F(SelectionFileTest, KeysAreWrittenOnePerCrLfLine) {
  const std::string path = (root / "bdselect.txt").string();
  WriteSelectionFile(path, {12, 7, 123456});
  EXPECT_EQ(Read("bdselect.txt"), "12\r\n7\r\n123456\r\n");
  WriteSelectionFile(path, {});
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(SelectionFileTest, ReadingAcceptsWhatOtherProgramsWrite) {
  const std::string path = (root / "bdselect.txt").string();
  EXPECT_TRUE(ReadSelectionFile(path).empty());  // missing file: nothing marked

  Write("bdselect.txt",
        "\xEF\xBB\xBF"
        "5\r\n6\n7");
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{"5", "6", "7"}));

  Write("bdselect.txt", std::string("\xFF\xFE"
                                    "4\0"
                                    "2\0\r\0\n\0"
                                    "9\0",
                                    12));
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{"42", "9"}));

  // Whole lines only: neither " 5" nor "05" is the key 5.
  Write("bdselect.txt", " 5\r\n05\r\nabc\r\n\r\n5\r\n");
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{" 5", "05", "abc", "", "5"}));
}

TEST_F(SelectionFileTest, RoundTripKeepsNegativeAndLargeKeys) {
  const std::string path = (root / "bdselect.txt").string();
  WriteSelectionFile(path, {-1, 2147483647, 0});
  EXPECT_EQ(ReadSelectionFile(path), (std::set<std::string>{"-1", "2147483647", "0"}));
}

TEST_F(SelectionFileTest, UnwritableFileNamesTheFile) {
  Write("plainfile", "x");
  const std::string path = (root / "plainfile" / "bdselect.txt").string();
  try {
    WriteSelectionFile(path, {1});
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
}

using FoldersTest = TempFolder;

TEST_F(FoldersTest, TrailingSeparatorMakesNoDifference) {
  const std::string plain = root.string();
  EXPECT_EQ(NormalizeSettingsFolder(plain), plain + "/");
  EXPECT_EQ(NormalizeSettingsFolder(plain + "/"), plain + "/");
  std::string failure;
  EXPECT_EQ(PrepareTempFolder(NormalizeSettingsFolder(plain), failure), plain + "/Temp/Vemora/");
  EXPECT_TRUE(failure.empty());
  EXPECT_TRUE(std::filesystem::is_directory(root / "Temp" / "Vemora"));
}

TEST_F(FoldersTest, EmptySettingsFolderIsTheExecutablesFolder) {
  EXPECT_EQ(NormalizeSettingsFolder(""), ExecutableFolder().string() + "/");
  EXPECT_EQ(NormalizeSettingsFolder("  "), ExecutableFolder().string() + "/");
}

TEST_F(FoldersTest, TempFolderThatCannotBeMadeGivesTheNotice) {
  Write("plainfile", "x");
  const std::string settings = (root / "plainfile").string() + "/";
  std::string failure;
  EXPECT_EQ(PrepareTempFolder(settings, failure), "");
  EXPECT_EQ(failure, "Das Verzeichnis : " + settings + "Temp/Vemora konnte nicht angelegt werden!");
}

TEST(PromptTest, EveryHostHasItsPromptInBothModes) {
  EXPECT_EQ(PromptText(0, true), "Bitte wählen Sie Bilder aus...");
  EXPECT_EQ(PromptText(0, false), "Bitte wählen Sie ein Bild aus...");
  EXPECT_EQ(PromptText(3, true), "Bitte wählen Sie für die Oddlin Bilder aus.");
  EXPECT_EQ(PromptText(5, false), "Bitte wählen Sie für das Marrowin ein Bild aus.");
  EXPECT_EQ(PromptText(6, true), "");
  EXPECT_EQ(PromptText(7, false), "");
  EXPECT_EQ(PromptText(-1, false), "");
  EXPECT_EQ(SelectionPanelCaption(true), "ausgewählte Bilder");
  EXPECT_EQ(SelectionPanelCaption(false), "ausgewähltes Bild");
}

}  // namespace
}  // namespace vemora
