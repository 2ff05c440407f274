// The options dialog's values from damaged and sound settings files: a bad key costs only
// itself, and writing keeps everything else in the file.
#include <gtest/gtest.h>

#include <set>

#include "settings/ini_plus.h"
#include "settings/option_values.h"
#include "settings/settings_keys.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

class OptionValuesTest : public testing::TempFolderTest {};

// Keys of one section as the file holds them.
std::set<std::string> KeysOf(const std::string& bytes, const std::string& section) {
  std::set<std::string> keys;
  bool inside = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with('[')) {
      inside = line == "[" + section + "]";
    } else if (inside && line.find('=') != std::string::npos) {
      keys.insert(line.substr(0, line.find('=')));
    }
    start = end + 1;
  }
  return keys;
}

TEST_F(OptionValuesTest, DamagedFileGivesDefaultsForBadKeysAndKeepsTheGoodOnes) {
  const std::string junk("\x00\xFF\xFE\x81garbage\x00[\x9D\r\x01=\x02", 19);
  const std::string longLine(1 << 20, 'x');
  PutFile("settings.ini",
          junk + "\r\n[SETTINGS]\r\n" +
              // Good values, one of them UTF-8 beside a Windows-1252 junk line.
              "EXTAPP=/opt/Bildbearbeitung/für-mich\r\n"
              "\xE4\xF6\xFC kaputt\r\n"
              "NAVIGATOR=0\r\nGRIDLINES=2\r\nGRIDCOLOR=clRed\r\nFTOP=Arial,12,0100,clNavy\r\n" +
              "PAR=" + longLine + "\r\n" +
              // Wrong types and values out of range.
              "THUMBSSIZE=groß\r\nPERFORMANCE=7\r\nGRIDSTYLE=-1\r\nALEFT=3\r\n"
              "GRIDCOLOR2=x\r\nTHUMBSCAPTION=ja\r\nFLEFT=Arial;10\r\nFRIGHT=Arial,99999,0000,"
              "clBlack\r\n" +
              junk + longLine + "\r\n[LAYOUT]\r\nib1=0\r\n");
  TIniPlus settings(PathOf("settings.ini"));
  OptionValues expected = DefaultOptionValues();
  expected.externalApp = "/opt/Bildbearbeitung/für-mich";
  expected.navigator = false;
  expected.gridLines = 2;
  expected.gridColor = clRed;
  expected.captions[kSideTop].font = {"Arial", 12, false, true, false, false, clNavy};
  expected.parameter = std::string(TIniPlus::kMaxTextLength, 'x');
  EXPECT_EQ(ReadOptionValues(settings), expected);

  // A colour that is no colour: the default, not an error.
  settings.WriteString(kSectionSettings, kKeyGridColor, "Himmelblau");
  EXPECT_EQ(ReadOptionValues(settings).gridColor, kDefaultGridColor);

  // Writing over the damaged file keeps the other sections and what it cannot read.
  WriteOptionValues(settings, DefaultOptionValues());
  EXPECT_EQ(ReadOptionValues(settings), DefaultOptionValues());
  EXPECT_FALSE(settings.ReadBool(kSectionLayout, kKeyBandInformation, true));
  EXPECT_NE(FileBytes("settings.ini").find(longLine), std::string::npos);
}

TEST_F(OptionValuesTest, WritesExactlyTheDialogsKeysAndReadsThemBack) {
  OptionValues values = DefaultOptionValues();
  values.captions[kSideBottom] = {
      false, {"Liberation Serif", 14, true, false, true, true, clBlue}, 2};
  values.thumbsVisible = 1;
  values.thumbsSize = 10;
  values.thumbsCaption = false;
  values.performance = 0;
  values.hideThumbs = true;
  values.gridStyle = 2;
  values.autoWidth = false;
  values.gridLines = 3;
  values.gridColor = 0x00123456;
  values.navigator = false;
  values.externalApp = "/usr/bin/bildprogramm";
  values.parameterDefault = false;
  values.parameter = "--öffnen %1";
  TIniPlus settings(PathOf("settings.ini"));
  WriteOptionValues(settings, values);
  EXPECT_EQ(ReadOptionValues(settings), values);
  EXPECT_EQ(KeysOf(FileBytes("settings.ini"), "SETTINGS"),
            (std::set<std::string>{
                "CLEFT",       "CRIGHT",     "CTOP",          "CBOTTOM",    "FLEFT",
                "FRIGHT",      "FTOP",       "FBOTTOM",       "ALEFT",      "ARIGHT",
                "ATOP",        "ABOTTOM",    "THUMBSVISIBLE", "THUMBSSIZE", "THUMBSCAPTION",
                "PERFORMANCE", "HIDETHUMBS", "GRIDSTYLE",     "AUTOWIDTH",  "GRIDLINES",
                "GRIDCOLOR",   "NAVIGATOR",  "EXTAPP",        "PARDEFAULT", "PAR"}));
  EXPECT_NE(FileBytes("settings.ini").find("FBOTTOM=Liberation Serif,14,1011,clBlue"),
            std::string::npos);
}

}  // namespace
}  // namespace vemora
