// The options dialog's values from damaged and sound settings files: a bad key costs only
// itself, and writing keeps everything else in the file.
#include <gtest/gtest.h>

#include "settings/ini_plus.h"
#include "settings/option_values.h"
#include "settings/settings_keys.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

class OptionValuesTest : public testing::TempFolderTest {};

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

}  // namespace
}  // namespace vemora
