// TIniPlus over real files: write-through between instances, value forms, limits, failures.
#include "settings/ini_plus.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/settings_errors.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

using IniPlusTest = testing::TempFolderTest;

TEST_F(IniPlusTest, EveryReadSeesTheLatestWriteOfAnyInstance) {
  TIniPlus dialog(PathOf("settings.ini"));
  TIniPlus window(PathOf("settings.ini"));
  EXPECT_EQ(window.ReadInteger("SETTINGS", "THUMBSSIZE", 100), 100);

  dialog.WriteInteger("SETTINGS", "THUMBSSIZE", 150);
  EXPECT_EQ(window.ReadInteger("SETTINGS", "THUMBSSIZE", 100), 150);
  window.WriteString("SETTINGS", "EXTAPP", "/opt/edit");
  EXPECT_EQ(dialog.ReadString("SETTINGS", "EXTAPP", ""), "/opt/edit");
  EXPECT_EQ(dialog.ReadInteger("SETTINGS", "THUMBSSIZE", 100), 150);

  PutFile("settings.ini", "[SETTINGS]\r\nTHUMBSSIZE=42\r\n");  // another program
  EXPECT_EQ(window.ReadInteger("SETTINGS", "THUMBSSIZE", 100), 42);
  dialog.DeleteKey("SETTINGS", "THUMBSSIZE");
  EXPECT_EQ(window.ReadInteger("SETTINGS", "THUMBSSIZE", 100), 100);

  // Atomic replacement leaves nothing but the file itself behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(IniPlusTest, RewriteKeepsPermissionsAndSymbolicLinks) {
#if defined(_WIN32)
  GTEST_SKIP() << "POSIX permissions and symbolic links";
#endif
  namespace fs = std::filesystem;
  PutFile("real.ini", "[S]\r\nk=1\r\n");
  fs::permissions(PathOf("real.ini"), fs::perms::owner_read | fs::perms::owner_write |
                                          fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink("real.ini", PathOf("link.ini"));

  TIniPlus(PathOf("link.ini")).WriteInteger("S", "k", 2);
  EXPECT_TRUE(fs::is_symlink(PathOf("link.ini")));
  EXPECT_EQ(FileBytes("real.ini"), "[S]\r\nk=2\r\n");
  EXPECT_EQ(fs::status(PathOf("real.ini")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
}

TEST_F(IniPlusTest, IntegerForms) {
  const struct {
    const char* text;
    int32_t expected;
  } cases[] = {
      {"42", 42},        {"-5", -5},         {"+5", 5},      {"0x1F", 31},
      {"0X1f", 31},      {"0xFFFFFFFF", -1}, {"  12  ", 12}, {"2147483647", 2147483647},
      {"0x", 7},         {"$1F", 7},         {"12abc", 7},   {"", 7},
      {"2147483648", 7}, {"0x100000000", 7}, {"1 2", 7},     {"1.5", 7},
  };
  for (const auto& c : cases) {
    PutFile("settings.ini", std::string("[S]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(TIniPlus(PathOf("settings.ini")).ReadInteger("S", "k", 7), c.expected)
        << "text '" << c.text << "'";
  }
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteInteger("S", "k", -2147483647 - 1);
  EXPECT_EQ(ini.ReadInteger("S", "k", 7), -2147483647 - 1);
}

TEST_F(IniPlusTest, BooleansAreIntegers) {
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteBool("S", "on", true);
  ini.WriteBool("S", "off", false);
  EXPECT_EQ(FileBytes("settings.ini"), "[S]\r\non=1\r\noff=0\r\n");

  for (const bool fallback : {false, true}) {
    PutFile("settings.ini", "[S]\r\ntwo=2\r\nminus=-1\r\nzero=0\r\nword=true\r\n");
    EXPECT_TRUE(ini.ReadBool("S", "two", fallback));
    EXPECT_TRUE(ini.ReadBool("S", "minus", fallback));
    EXPECT_FALSE(ini.ReadBool("S", "zero", fallback));
    EXPECT_EQ(ini.ReadBool("S", "word", fallback), fallback);
    EXPECT_EQ(ini.ReadBool("S", "missing", fallback), fallback);
  }
}

TEST_F(IniPlusTest, TextsAreCutAfter2047Characters) {
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteString("S", "ascii", std::string(3000, 'a'));
  EXPECT_EQ(ini.ReadString("S", "ascii", ""), std::string(2047, 'a'));

  std::string umlauts;
  for (int i = 0; i < 2100; ++i) umlauts += "\xC3\xA4";  // ä, two bytes each
  ini.WriteString("S", "umlauts", umlauts);
  EXPECT_EQ(ini.ReadString("S", "umlauts", ""), umlauts.substr(0, 2 * 2047));
}

TEST_F(IniPlusTest, FailedWritesNameTheFileAndLeaveItIntact) {
  PutFile("plain", "not a folder");
  const std::string unreachable = PathOf("plain") + "/settings.ini";
  TIniPlus ini(unreachable);
  EXPECT_EQ(ini.ReadString("S", "k", "default"), "default");
  try {
    ini.WriteString("S", "k", "v");
    FAIL() << "write under a regular file succeeded";
  } catch (const IniFileError& error) {
    EXPECT_NE(std::string(error.what()).find(unreachable), std::string::npos) << error.what();
  }

  // A value that cannot be one line is refused before the file is touched.
  TIniPlus good(PathOf("settings.ini"));
  good.WriteString("S", "k", "old");
  const std::string before = FileBytes("settings.ini");
  EXPECT_THROW(good.WriteString("S", "k", "two\r\nlines"), IniFileError);
  EXPECT_THROW(good.WriteString("S", "k", "two\nlines"), IniFileError);
  EXPECT_THROW(good.WriteString("S", "a=b", "v"), IniFileError);
  EXPECT_THROW(good.WriteString("S]", "k", "v"), IniFileError);
  EXPECT_EQ(FileBytes("settings.ini"), before);
}

TEST_F(IniPlusTest, ANameWithoutFolderLivesBesideTheExecutable) {
  const TIniPlus bare("settings.ini");
  EXPECT_EQ(bare.FileName().filename(), "settings.ini");
  // The test executable itself sits in that folder.
#if defined(_WIN32)
  const char* self = "settings_tests.exe";
#else
  const char* self = "settings_tests";
#endif
  EXPECT_TRUE(std::filesystem::exists(bare.FileName().parent_path() / self)) << bare.FileName();
}

}  // namespace
}  // namespace vemora
