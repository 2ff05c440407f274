// Maker-note layouts: where each directory starts, where its offsets count from, the byte
// order it is read in, and which entries are listed; and the number formatting they use.
#include <gtest/gtest.h>

#include <memory>

#include "exif_builder.h"
#include "metadata/format_number.h"
#include "metadata/formatters.h"
#include "metadata/image_info.h"
#include "metadata/img_data.h"

namespace vemora::metadata {
namespace {

using testing::TiffBuilder;

struct NoteEntry {
  int tag;
  int format;
  std::uint32_t count;
  std::string bytes;
};

// A maker note: `prefix`, then a directory whose out-of-line values follow it. Stored offsets
// are the value's position in the note plus `originDelta`.
std::string BuildNote(const TiffBuilder& order, const std::string& prefix,
                      const std::vector<NoteEntry>& entries, std::int64_t originDelta) {
  std::string out = prefix + order.U16(static_cast<std::uint32_t>(entries.size()));
  std::size_t dataPos = prefix.size() + 2 + 12 * entries.size() + 4;
  std::string data;
  for (const NoteEntry& e : entries) {
    out += order.U16(static_cast<std::uint32_t>(e.tag)) +
           order.U16(static_cast<std::uint32_t>(e.format)) + order.U32(e.count);
    if (e.bytes.size() <= 4) {
      out += e.bytes + std::string(4 - e.bytes.size(), '\0');
    } else {
      out += order.U32(static_cast<std::uint32_t>(dataPos + data.size() + originDelta));
      data += e.bytes;
    }
  }
  return out + order.U32(0) + data;
}

// A JPEG whose EXIF directory holds `note` as its maker note; its offsets count from the TIFF
// header, or from a header of its own ten bytes in.
std::string CameraFile(bool motorola, const std::string& make,
                       const std::function<std::string(const TiffBuilder&, std::int64_t)>& note,
                       bool ownHeader) {
  TiffBuilder b(motorola);
  const int exif = b.AddIfd();
  b.Ascii(0, 0x010F, make);
  b.Ascii(0, 0x0110, "Model");
  b.Link(0, 0x8769, exif);
  b.Undefined(exif, 0x9000, "0220");
  const std::size_t size = note(b, 0).size();
  b.Late(exif, 0x927C, 7, static_cast<std::uint32_t>(size), size,
         [=](std::uint32_t offset) { return note(b, ownHeader ? -10 : std::int64_t{offset}); });
  return testing::MakeJpeg({{0xE1, testing::ExifSection(b.Build())}});
}

std::vector<std::string> Names(const TImageInfo& info, int table) {
  std::vector<std::string> names;
  for (const TTagEntry& tag : info.Tags) {
    if (tag.TID == table) names.emplace_back(tag.Name);
  }
  return names;
}

std::unique_ptr<TimgData> Read(const std::string& bytes) {
  auto data = std::make_unique<TimgData>();
  EXPECT_TRUE(data->ProcessBytes(bytes, TFileKind::kJpeg));
  EXPECT_TRUE(data->ImageInfo);
  return data;
}

TEST(MakerNoteTest, CanonDirectoryAtByteZeroWithPackedSettings) {
  const auto note = [](const TiffBuilder& b, std::int64_t delta) {
    std::string info1;
    for (std::uint16_t v : {20, 1, 0, 1, 2, 0, 0, 3}) info1 += b.U16(v);
    return BuildNote(b, "",
                     {{0x0000, 3, 1, b.U16(7)},
                      {0x0001, 3, 8, info1},
                      {0x0009, 2, 8, std::string("Erika\0\0\0", 8)},
                      {0x0099, 3, 1, b.U16(5)}},
                     delta);
  };
  for (const bool motorola : {false, true}) {
    const auto data = Read(CameraFile(motorola, "Canon", note, false));
    const TImageInfo& info = *data->ImageInfo;
    EXPECT_TRUE(info.msAvailable);
    // The Skip entry is read but not listed; an entry the table lacks is listed as Unknown.
    EXPECT_EQ(Names(info, kTableCanon),
              (std::vector<std::string>{"Macro mode", "Self Timer", "Compression Rate",
                                        "Flash Mode", "Drive Mode", "Focus Mode", "ExposureInfo1",
                                        "OwnerName", "Unknown"}));
    EXPECT_EQ(info.LookupTagText("Macro mode"), "Macro");
    EXPECT_EQ(info.LookupTagText("OwnerName"), "Erika..");  // the last byte is the terminator
    EXPECT_EQ(info.Tags[static_cast<std::size_t>(info.LookupTag("Unknown"))].Tag, 0x0099);
  }
}

TEST(MakerNoteTest, NikonWithItsOwnTiffHeader) {
  const auto note = [](const TiffBuilder& b, std::int64_t delta) {
    std::string lens;
    for (std::uint32_t v : {180u, 10u, 700u, 10u, 35u, 10u, 45u, 10u}) lens += b.U32(v);
    const std::string header = std::string("Nikon\0\2\x10\0\0", 10) +
                               (b.motorola() ? std::string("MM\0*", 4) : std::string("II*\0", 4)) +
                               b.U32(8);
    return BuildNote(b, header,
                     {{0x0004, 2, 6, std::string("FINE \0", 6)},
                      {0x0084, 5, 4, lens},
                      {0x008D, 2, 6, std::string("MODE2\0", 6)}},
                     delta);
  };
  for (const bool motorola : {false, true}) {
    const auto data = Read(CameraFile(motorola, "NIKON", note, true));
    const TImageInfo& info = *data->ImageInfo;
    EXPECT_EQ(Names(info, kTableNikon2),
              (std::vector<std::string>{"Quality", "LensInformation", "ColorMode"}));
    EXPECT_EQ(info.LookupTagText("Quality"), "FINE ");
    EXPECT_EQ(info.LookupTagText("LensInformation"), "18.0-70.0(mm)  F3.5-F4.5");
    EXPECT_EQ(info.LookupTagText("ColorMode"), "Mode 2 (Adobe RGB)");
  }
}

TEST(MakerNoteTest, OtherMakesAndDamagedNotesStayUninterpreted) {
  const auto note = [](const TiffBuilder& b, std::int64_t delta) {
    return BuildNote(b, "", {{0x0001, 3, 1, b.U16(1)}}, delta);
  };
  auto data = Read(CameraFile(false, "PENTAX Corporation", note, false));
  EXPECT_FALSE(data->ImageInfo->msAvailable);
  EXPECT_TRUE(Names(*data->ImageInfo, kTableCanon).empty());
  EXPECT_GE(data->ImageInfo->LookupTag("MakerNote"), 0);

  // An entry count that runs past the buffer: the note is left unread.
  const auto damaged = [](const TiffBuilder& b, std::int64_t) {
    return b.U16(0xFFF0) + std::string(20, '\x01');
  };
  data = Read(CameraFile(true, "Canon", damaged, false));
  EXPECT_TRUE(data->ImageInfo->msAvailable);
  EXPECT_TRUE(Names(*data->ImageInfo, kTableCanon).empty());
}

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

TEST(FormatNumberTest, RationalsIntegersAndDecodingStrings) {
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
