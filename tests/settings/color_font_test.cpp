// Colour and font values: their text forms and how TIniPlus stores and reads them.
#include <gtest/gtest.h>

#include <set>

#include "settings/color.h"
#include "settings/font.h"
#include "settings/ini_plus.h"
#include "settings/settings_errors.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

using ColorFontTest = testing::TempFolderTest;

TEST(Color, StandardIdentifiersAreDistinctAndRoundTrip) {
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
}

TEST(Color, NumericTextForms) {
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

TEST_F(ColorFontTest, ColoursThroughTheFile) {
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteColor("SETTINGS", "GRIDCOLOR", 0x00123456);
  EXPECT_EQ(ini.ReadColor("SETTINGS", "GRIDCOLOR", clBlack), 0x00123456u);
  EXPECT_EQ(ini.ReadColor("SETTINGS", "missing", 0xFF000008), 0xFF000008u);

  ini.WriteString("SETTINGS", "GRIDCOLOR", "purple-ish");
  EXPECT_THROW(ini.ReadColor("SETTINGS", "GRIDCOLOR", clBlack), ConversionError);
}

TEST_F(ColorFontTest, FontRoundTrip) {
  TIniPlus ini(PathOf("settings.ini"));
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
}

TEST_F(ColorFontTest, MalformedFontsKeepTheFontAndReturnFalse) {
  try {
    StringToFont("Arial,10,100,clBlack");
    FAIL() << "three flags accepted";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "Invalid string to font conversion");
  }

  TIniPlus ini(PathOf("settings.ini"));
  const FontAttributes original{"Tahoma", 9, false, true, false, true, clNavy};
  for (const char* text : {"Arial,10,10000,clBlack", "Arial,10", "Arial,10,1000",
                           "Arial,ten,1000,clBlack", "Arial,10,1000,nocolour"}) {
    ini.WriteString("SETTINGS", "FLEFT", text);
    FontAttributes font = original;
    EXPECT_FALSE(ini.ReadFont("SETTINGS", "FLEFT", font)) << "text '" << text << "'";
    EXPECT_EQ(font, original) << "text '" << text << "'";
  }
}

}  // namespace
}  // namespace vemora
