// Number formatting, decoding strings and the formatting functions of the tag tables.
#include <gtest/gtest.h>

#include "exif_builder.h"
#include "metadata/format_number.h"
#include "metadata/formatters.h"
#include "metadata/image_info.h"
#include "metadata/img_data.h"

namespace vemora::metadata {
namespace {

std::string Rationals(std::vector<std::pair<std::uint32_t, std::uint32_t>> values,
                      bool motorola = false) {
  testing::TiffBuilder b(motorola);
  std::string out;
  for (auto [n, d] : values) out += b.U32(n) + b.U32(d);
  return out;
}

std::string Shorts(std::vector<std::uint16_t> values, bool motorola = false) {
  testing::TiffBuilder b(motorola);
  std::string out;
  for (auto v : values) out += b.U16(v);
  return out;
}

TEST(FormatNumberTest, RationalsWithTheirFormatStrings) {
  EXPECT_EQ(FormatNumber(Rationals({{62, 10}}), 5, "", "%5.2f mm", false), " 6.20 mm");
  EXPECT_EQ(FormatNumber(Rationals({{1, 3}, {2, 3}}), 5, "", "", false), "1/3, 2/3");
  // A signed rational keeps its sign; a zero denominator neither crashes nor divides.
  EXPECT_EQ(FormatNumber(Rationals({{0xFFFFFFFF, 3}}), 10, "", "", false), "-1/3");
  EXPECT_EQ(FormatNumber(Rationals({{5, 0}}), 5, "", "F%0.1f", false), "F0.0");
}

TEST(FormatNumberTest, IntegersElementLimitAndOddFormats) {
  EXPECT_EQ(FormatNumber(Shorts({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 3, "", "", false),
            "1, 2, 3, 4, 5, 6, 7, 8");
  EXPECT_EQ(FormatNumber(Shorts({0xFFFF}), 8, "", "", false), "-1");
  EXPECT_EQ(FormatNumber(std::string("\x01\x02\x03\x04", 4), 4, "", "", true), "16909060");
  EXPECT_EQ(FormatNumber(std::string(4, '\0'), 11, "", "", false), "-9999.99");
  EXPECT_EQ(FormatNumber("ab", 0, "", "", false), "0");
  EXPECT_EQ(FormatNumber("", 3, "", "", false), "");
}

TEST(FormatNumberTest, DecodingStrings) {
  const std::string orientation = "1:Normal,3:Rotated 180°,6:CounterClockwise 90°,8:Clockwise 90°";
  EXPECT_EQ(FormatNumber(Shorts({6}), 3, orientation, "", false), "CounterClockwise 90°");
  // A value the string does not name decodes to nothing; decoding off shows the number.
  EXPECT_EQ(FormatNumber(Shorts({5}), 3, orientation, "", false), "");
  EXPECT_EQ(FormatNumber(Shorts({5}), 3, orientation, "", false, false), "5");
  // "1:" must not match inside "11:" or "21:".
  EXPECT_EQ(DecodeValue("11:Eleven,21:TwentyOne,1:One", 1), "One");
  EXPECT_EQ(DecodeValue("11:Eleven,21:TwentyOne", 1), "");
  EXPECT_EQ(DecodeValue("1:Monochrome, 2:RGB, 6:YCbCr", 1), "Monochrome");
  EXPECT_EQ(DecodeValue("0: Off,1: On", 1), " On");
  // Rationals append their decoded text.
  EXPECT_EQ(FormatNumber(Rationals({{2, 1}}), 5, "1:One,2:Two", "", false), "2/1Two");
}

TEST(FormatNumberTest, FormatStringsPrintableTextAndUtf8) {
  EXPECT_EQ(FormatDouble("%d items", 7.9), "7 items");
  EXPECT_EQ(FormatDouble("%n%s", 1), "%n%s");  // never handed to printf as it stands
  EXPECT_EQ(MakePrintable(std::string("a\0b\tc", 5)), "a.b.c");
  EXPECT_EQ(MakePrintable(std::string(80, 'x')).size(), 50u);
  EXPECT_EQ(ToUtf8Text("Gr\xFC\xDF"), "Grüß");
  EXPECT_EQ(ToUtf8Text("Grüß"), "Grüß");
}

// The 1/n form below one second is checked through a whole file by the reader tests.
TEST(FormatterTest, ShutterSpeedAndFlashBits) {
  EXPECT_EQ(ShutterSpeedText(-1), "2.0000 sec");
  EXPECT_EQ(FlashText(0x10), "Off, surpressed");
  EXPECT_EQ(FlashText(0x07), "On, strobe return");
  EXPECT_EQ(FlashText(0x00), "Off");
  EXPECT_EQ(FlashText(0x29), "On, forced, no flash function");
  EXPECT_EQ(FlashText(0x59), "On, auto mode, red-eye reduction");
}

// The formatting functions that work on a whole entry, through a reader holding it.
class EntryFormatterTest : public ::testing::Test {
 protected:
  TTagEntry Entry(int format, std::string raw) {
    TTagEntry entry;
    entry.TType = format;
    entry.Raw = std::move(raw);
    entry.Data = info_.FormatEntry(entry);
    return entry;
  }
  TimgData owner_;
  TImageInfo info_{owner_};
};

TEST_F(EntryFormatterTest, ComponentsConfigurationAndUserComment) {
  EXPECT_EQ(FormatComponentsConfiguration(info_, Entry(7, std::string("\1\2\3\0", 4))), "YCbCr");
  EXPECT_EQ(FormatUserComment(info_, Entry(7, std::string("ASCII\0\0\0  Hello  \0\0", 20))),
            "Hello");
  EXPECT_EQ(FormatUserComment(info_, Entry(7, "ASCII")), "");
}

TEST_F(EntryFormatterTest, WindowsTextShowsOnlyTheFirstFourCharacters) {
  const std::string utf16("G\0\xE4\0n\0s\0e\0b\0", 12);
  EXPECT_EQ(FormatWindowsText(info_, Entry(1, utf16)), "Gäns");
  EXPECT_EQ(FormatWindowsText(info_, Entry(1, std::string("A\0", 2))), "A");
}

// The coordinate, lens and "MODE2" texts are checked through whole files by the reader tests.
TEST_F(EntryFormatterTest, GpsTimeAndUnknownNikonColorMode) {
  EXPECT_EQ(FormatGpsTimeStamp(info_, Entry(5, Rationals({{14, 1}, {27, 1}, {7, 1}}))), "14:27:7");
  EXPECT_EQ(FormatNikonColorMode(info_, Entry(2, std::string("COLOR\0", 6))), "COLOR");
}

TEST_F(EntryFormatterTest, CanonPackedSettingsBecomeTagsOfTheirOwn) {
  std::vector<std::uint16_t> values(34, 0);
  values[1] = 1;       // macro
  values[3] = 5;       // compression rate
  values[4] = 16;      // external flash
  values[11] = 6;      // B&W
  values[13] = 65535;  // low contrast
  values[16] = 17;     // ISO 100
  values[24] = 210;    // long focal, no decoding string
  TTagEntry entry = Entry(3, Shorts(values));
  entry.Tag = 1;
  const std::string text = FormatCanonExposureInfo1(info_, entry);
  EXPECT_EQ(text.substr(0, text.find('\n')), "0, 1, 0, 5, 16, 0, 0, 0");
  EXPECT_NE(text.find("\nMacro mode = Macro"), std::string::npos);
  EXPECT_NE(text.find("\nLong focal = 210"), std::string::npos);
  EXPECT_EQ(info_.LookupTagText("Compression Rate"), "SuperFine");
  EXPECT_EQ(info_.LookupTagText("Contrast"), "Low");
  EXPECT_EQ(info_.LookupTagText("CCD ISO"), "100");
}

TEST_F(EntryFormatterTest, CanonCustomFunctions) {
  // Function 1 setting 1, function 7 setting 2 (its text holds commas), function 20 unknown.
  TTagEntry entry = Entry(3, Shorts({0x0101, 0x0702, 0x1401, 0x0D01}));
  const std::string text = FormatCanonCustomFunctions(info_, entry);
  EXPECT_EQ(info_.LookupTagText("Noise Reduction"), "On");
  EXPECT_EQ(info_.LookupTagText("AEB Sequence"), "-");
  EXPECT_EQ(info_.LookupTagText("Sensor Cleaning"), "Enable");
  EXPECT_EQ(info_.Tags.size(), 3u);
  EXPECT_NE(text.find("\nNoise Reduction = On"), std::string::npos);
}

}  // namespace
}  // namespace vemora::metadata
