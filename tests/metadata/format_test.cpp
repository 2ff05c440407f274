// Number formatting, decoding strings and the Canon formatting functions that make tags of
// their own.
#include <gtest/gtest.h>

#include "exif_builder.h"
#include "metadata/format_number.h"
#include "metadata/formatters.h"
#include "metadata/image_info.h"
#include "metadata/img_data.h"

namespace vemora::metadata {
namespace {

const testing::TiffBuilder kIntel(false);

std::string Rationals(std::vector<std::pair<std::uint32_t, std::uint32_t>> values) {
  std::string out;
  for (auto [n, d] : values) out += kIntel.U32(n) + kIntel.U32(d);
  return out;
}

std::string Shorts(std::vector<std::uint16_t> values) {
  std::string out;
  for (auto v : values) out += kIntel.U16(v);
  return out;
}

TEST(FormatNumberTest, RationalsAndIntegers) {
  EXPECT_EQ(FormatNumber(Rationals({{62, 10}}), 5, "", "%5.2f mm", false), " 6.20 mm");
  EXPECT_EQ(FormatNumber(Rationals({{1, 3}, {2, 3}}), 5, "", "", false), "1/3, 2/3");
  // A signed rational keeps its sign; a zero denominator neither crashes nor divides.
  EXPECT_EQ(FormatNumber(Rationals({{0xFFFFFFFF, 3}}), 10, "", "", false), "-1/3");
  EXPECT_EQ(FormatNumber(Rationals({{5, 0}}), 5, "", "F%0.1f", false), "F0.0");
  EXPECT_EQ(FormatNumber(Shorts({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 3, "", "", false),
            "1, 2, 3, 4, 5, 6, 7, 8");
  EXPECT_EQ(FormatNumber(Shorts({0xFFFF}), 8, "", "", false), "-1");
  EXPECT_EQ(FormatNumber(std::string("\x01\x02\x03\x04", 4), 4, "", "", true), "16909060");
  EXPECT_EQ(FormatNumber("ab", 0, "", "", false), "0");
  EXPECT_EQ(FormatNumber("", 3, "", "", false), "");
}

TEST(FormatNumberTest, DecodingStrings) {
  const std::string orientation = "1:Normal,3:Rotated 180°,6:CounterClockwise 90°,8:Clockwise 90°";
  // A value the string does not name decodes to nothing; decoding off shows the number.
  EXPECT_EQ(FormatNumber(Shorts({5}), 3, orientation, "", false), "");
  EXPECT_EQ(FormatNumber(Shorts({5}), 3, orientation, "", false, false), "5");
  // "1:" must not match inside "11:" or "21:".
  EXPECT_EQ(DecodeValue("11:Eleven,21:TwentyOne,1:One", 1), "One");
  EXPECT_EQ(DecodeValue("11:Eleven,21:TwentyOne", 1), "");
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

// The packed settings array is read through a whole Canon maker note in the maker-note tests.
TEST(FormatterTest, CanonCustomFunctionsBecomeTagsOfTheirOwn) {
  TimgData owner;
  TImageInfo info{owner};
  TTagEntry entry;
  entry.TType = 3;
  // Function 1 setting 1, function 7 setting 2 (its text holds commas), function 20 unknown.
  entry.Raw = Shorts({0x0101, 0x0702, 0x1401, 0x0D01});
  entry.Data = info.FormatEntry(entry);
  const std::string text = FormatCanonCustomFunctions(info, entry);
  EXPECT_EQ(info.LookupTagText("Noise Reduction"), "On");
  EXPECT_EQ(info.LookupTagText("AEB Sequence"), "-");
  EXPECT_EQ(info.LookupTagText("Sensor Cleaning"), "Enable");
  EXPECT_EQ(info.Tags.size(), 3u);
  EXPECT_NE(text.find("\nNoise Reduction = On"), std::string::npos);
}

}  // namespace
}  // namespace vemora::metadata
