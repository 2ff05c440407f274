// TIniPlus over real files: write-through between instances, value forms, limits, failures,
// and files written by other programs rewritten without disturbing what is not ours. Colour
// and font values; the options dialog's values from a damaged file.
#include "settings/ini_plus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "settings/color.h"
#include "settings/font.h"
#include "settings/option_values.h"
#include "settings/settings_errors.h"
#include "settings/settings_keys.h"
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

  PutFile("thumbs.ini", "[THUMBS]\r\n/img/a.jpg=1\r\n/img/b.jpg=2\r\n[DATA1]\r\n/img/A.JPG=3\r\n");
  TIniPlus ini(PathOf("thumbs.ini"));
  ini.DeleteKey("THUMBS", "/img/a.jpg");
  ini.DeleteKey("data1", "/img/a.jpg");
  ini.DeleteKey("DATA1", "/img/never.jpg");
  EXPECT_EQ(FileBytes("thumbs.ini"), "[THUMBS]\r\n/img/b.jpg=2\r\n[DATA1]\r\n");

  TIniPlus absent(PathOf("absent.ini"));
  absent.DeleteKey("THUMBS", "/img/a.jpg");
  EXPECT_FALSE(std::filesystem::exists(PathOf("absent.ini")));
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

TEST_F(IniPlusTest, IntegerFormsAndBooleansAsIntegers) {
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

  TIniPlus flags(PathOf("flags.ini"));
  flags.WriteBool("S", "on", true);
  flags.WriteBool("S", "off", false);
  EXPECT_EQ(FileBytes("flags.ini"), "[S]\r\non=1\r\noff=0\r\n");

  for (const bool fallback : {false, true}) {
    PutFile("flags.ini", "[S]\r\ntwo=2\r\nminus=-1\r\nzero=0\r\nword=true\r\n");
    EXPECT_TRUE(flags.ReadBool("S", "two", fallback));
    EXPECT_TRUE(flags.ReadBool("S", "minus", fallback));
    EXPECT_FALSE(flags.ReadBool("S", "zero", fallback));
    EXPECT_EQ(flags.ReadBool("S", "word", fallback), fallback);
    EXPECT_EQ(flags.ReadBool("S", "missing", fallback), fallback);
  }
}

TEST_F(IniPlusTest, LongTextsAreCutAndFailedWritesLeaveTheFileIntact) {
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteString("S", "ascii", std::string(3000, 'a'));
  EXPECT_EQ(ini.ReadString("S", "ascii", ""), std::string(2047, 'a'));

  std::string umlauts;
  for (int i = 0; i < 2100; ++i) umlauts += "\xC3\xA4";  // ä, two bytes each
  ini.WriteString("S", "umlauts", umlauts);
  EXPECT_EQ(ini.ReadString("S", "umlauts", ""), umlauts.substr(0, 2 * 2047));

  PutFile("plain", "not a folder");
  const std::string unreachable = PathOf("plain") + "/settings.ini";
  TIniPlus unreachableIni(unreachable);
  EXPECT_EQ(unreachableIni.ReadString("S", "k", "default"), "default");
  try {
    unreachableIni.WriteString("S", "k", "v");
    FAIL() << "write under a regular file succeeded";
  } catch (const IniFileError& error) {
    EXPECT_NE(std::string(error.what()).find(unreachable), std::string::npos) << error.what();
  }

  // A value that cannot be one line is refused before the file is touched.
  TIniPlus good(PathOf("settings.unreachableIni"));
  good.WriteString("S", "k", "old");
  const std::string before = FileBytes("settings.unreachableIni");
  EXPECT_THROW(good.WriteString("S", "k", "two\r\nlines"), IniFileError);
  EXPECT_THROW(good.WriteString("S", "k", "two\nlines"), IniFileError);
  EXPECT_THROW(good.WriteString("S", "a=b", "v"), IniFileError);
  EXPECT_THROW(good.WriteString("S]", "k", "v"), IniFileError);
  EXPECT_EQ(FileBytes("settings.unreachableIni"), before);
}

TEST_F(IniPlusTest, ANameWithoutFolderLivesBesideTheExecutable) {
  const TIniPlus bare("settings.ini");
  EXPECT_EQ(bare.FileName().filename(), "settings.ini");
  // The test executable itself sits in that folder.
  const std::filesystem::path folder = bare.FileName().parent_path();
  EXPECT_TRUE(std::filesystem::exists(folder / "settings_tests") ||
              std::filesystem::exists(folder / "settings_tests.exe"))
      << bare.FileName();
}

TEST_F(IniPlusTest, ForeignFilesReadWithAnyLineEndBlanksCaseAndCodePage) {
  for (const std::string line_end : {"\r\n", "\n"}) {
    SCOPED_TRACE(line_end.size() == 2 ? "CRLF" : "LF");
    const std::string text = "\xEF\xBB\xBF; written by hand" + line_end +  //
                             "  [ Settings ]  " + line_end +               //
                             "ExtApp  =  /usr/bin/editor  " + line_end +   //
                             "\tPar\t=\t\"  quoted  \"" + line_end +       //
                             "Empty=" + line_end +                         //
                             "# Ignored=1" + line_end +                    //
                             "[Other]" + line_end +                        //
                             "extapp=wrong section";  // no line end at the end either
    PutFile("settings.ini", text);
    const TIniPlus ini(PathOf("settings.ini"));
    EXPECT_EQ(ini.ReadString("SETTINGS", "EXTAPP", "-"), "/usr/bin/editor");
    EXPECT_EQ(ini.ReadString("settings", "par", "-"), "  quoted  ");
    EXPECT_EQ(ini.ReadString("SETTINGS", "Empty", "-"), "");
    EXPECT_EQ(ini.ReadString("SETTINGS", "# Ignored", "-"), "-");
    EXPECT_EQ(ini.ReadString("OTHER", "ExtApp", "-"), "wrong section");
    EXPECT_EQ(ini.ReadString("Missing", "ExtApp", "-"), "-");
  }

  PutFile("settings.ini", "[LAYOUT]\r\nExportPath=/home/M\xFCller/\x80 Bilder\r\n");
  const TIniPlus ini(PathOf("settings.ini"));
  EXPECT_EQ(ini.ReadString("LAYOUT", "ExportPath", ""), "/home/Müller/€ Bilder");
}

TEST_F(IniPlusTest, RewriteKeepsCommentsOrderLineEndsAndByteOrderMark) {
  PutFile("settings.ini",
          "\xEF\xBB\xBF; Vemora\r\n"
          "[SETTINGS]\r\n"
          "  ThumbsSize = 80\r\n"
          "; the editor\r\n"
          "EXTAPP=/usr/bin/editor\r\n"
          "\r\n"
          "[LAYOUT]\r\n"
          "ib1=1\r\n");
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteInteger("settings", "THUMBSSIZE", 120);
  ini.WriteBool("SETTINGS", "HIDETHUMBS", true);
  ini.WriteInteger("ZOOM", "idx", 2);
  EXPECT_EQ(FileBytes("settings.ini"),
            "\xEF\xBB\xBF; Vemora\r\n"
            "[SETTINGS]\r\n"
            "ThumbsSize=120\r\n"
            "; the editor\r\n"
            "EXTAPP=/usr/bin/editor\r\n"
            "HIDETHUMBS=1\r\n"
            "\r\n"
            "[LAYOUT]\r\n"
            "ib1=1\r\n"
            "\r\n"
            "[ZOOM]\r\n"
            "idx=2\r\n");

  // An LF file keeps its line ends; a new file uses CRLF.
  PutFile("lf.ini", "[A]\nk=1\n");
  TIniPlus(PathOf("lf.ini")).WriteString("A", "j", "2");
  EXPECT_EQ(FileBytes("lf.ini"), "[A]\nk=1\nj=2\n");

  TIniPlus fresh(PathOf("new.ini"));
  fresh.WriteString("A", "k", "1");
  fresh.WriteString("B", "k", "2");
  EXPECT_EQ(FileBytes("new.ini"), "[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\n");
}

TEST(Color, TextFormsRoundTripAndMalformedOnesAreRefused) {
  const auto colors = StandardColors();
  std::set<TColor> values;
  for (const ColorIdentifier& entry : colors) {
    values.insert(entry.value);
    EXPECT_EQ(ColorToString(entry.value), entry.name);
    EXPECT_EQ(StringToColor(entry.name), entry.value) << entry.name;
  }
  EXPECT_EQ(values.size(), colors.size());

  // The BGR order and a system colour.
  EXPECT_EQ(StringToColor("clMaroon"), 0x000080u);
  EXPECT_EQ(StringToColor("clWindow"), 0xFF000005u);

  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(ColorToString(0xFF000008), "$FF000008");  // a system colour without a name

  EXPECT_EQ(StringToColor("$00123456"), 0x123456u);
  EXPECT_EQ(StringToColor("$ff000008"), 0xFF000008u);
  EXPECT_EQ(StringToColor("0x123456"), 0x123456u);
  EXPECT_EQ(StringToColor("1193046"), 0x123456u);
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);

  for (const char* bad : {"", "red", "clRedd", "$", "$G1", "0x", "12abc", "$100000000",
                          "4294967296", "-2147483649", " clRed", "--1", "$-1"}) {
    EXPECT_THROW(StringToColor(bad), ConversionError) << "text '" << bad << "'";
  }
}

TEST_F(IniPlusTest, ColoursAndFontsThroughTheFileAndMalformedFontsKeepTheFont) {
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteColor("SETTINGS", "GRIDCOLOR", 0x00123456);
  EXPECT_EQ(ini.ReadColor("SETTINGS", "GRIDCOLOR", clBlack), 0x00123456u);
  EXPECT_EQ(ini.ReadColor("SETTINGS", "missing", 0xFF000008), 0xFF000008u);

  ini.WriteString("SETTINGS", "GRIDCOLOR", "purple-ish");
  EXPECT_THROW(ini.ReadColor("SETTINGS", "GRIDCOLOR", clBlack), ConversionError);

  ini.WriteFont("SETTINGS", "FTOP",
                FontAttributes{"Arial", 10, true, false, false, false, clBlack});
  EXPECT_EQ(ini.ReadString("SETTINGS", "FTOP", ""), "Arial,10,1000,clBlack");

  FontAttributes font{"Courier", 8, false, true, true, true, clRed};
  EXPECT_TRUE(ini.ReadFont("SETTINGS", "FTOP", font));
  EXPECT_EQ(font, (FontAttributes{"Arial", 10, true, false, false, false, clBlack}));

  const FontAttributes every{"Schrift Ä Bold", 72, true, true, true, true, 0x00123456};
  ini.WriteFont("SETTINGS", "FBOTTOM", every);
  EXPECT_EQ(ini.ReadString("SETTINGS", "FBOTTOM", ""), "Schrift Ä Bold,72,1111,$00123456");
  FontAttributes read;
  EXPECT_TRUE(ini.ReadFont("SETTINGS", "FBOTTOM", read));
  EXPECT_EQ(read, every);

  FontAttributes untouched = every;  // a missing key reads the font's own text
  EXPECT_TRUE(ini.ReadFont("SETTINGS", "FLEFT", untouched));
  EXPECT_EQ(untouched, every);

  try {
    StringToFont("Arial,10,100,clBlack");
    FAIL() << "three flags accepted";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "Invalid string to font conversion");
  }

  TIniPlus fonts(PathOf("settings.fonts"));
  const FontAttributes original{"Tahoma", 9, false, true, false, true, clNavy};
  for (const char* text : {"Arial,10,10000,clBlack", "Arial,10", "Arial,10,1000",
                           "Arial,ten,1000,clBlack", "Arial,10,1000,nocolour"}) {
    fonts.WriteString("SETTINGS", "FLEFT", text);
    FontAttributes font = original;
    EXPECT_FALSE(fonts.ReadFont("SETTINGS", "FLEFT", font)) << "text '" << text << "'";
    EXPECT_EQ(font, original) << "text '" << text << "'";
  }
}

TEST_F(IniPlusTest, DamagedFileGivesDefaultsForBadKeysAndKeepsTheGoodOnes) {
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
