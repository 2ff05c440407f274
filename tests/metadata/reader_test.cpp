// The reader on files built here byte by byte: header fields and tag texts in both byte
// orders, the section walk's and the TIFF path's limits, hostile directories, the 35 mm
// focal length, IPTC datasets, maker-note layouts (where each directory starts, where its
// offsets count from, its byte order, which entries are listed) and number formatting. The
// camera files of the oracle test cover the file extensions and the damaged Exif blocks.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "exif_builder.h"
#include "metadata/format_number.h"
#include "metadata/formatters.h"
#include "metadata/image_info.h"
#include "metadata/img_data.h"
#include "support/temp_folder.h"

namespace vemora::metadata {
namespace {

using testing::ExifSection;
using testing::IptcSection;
using testing::MakeJpeg;
using testing::TiffBuilder;

// A camera-like Exif block: IFD0 with make, model, date and a link to the EXIF directory,
// which holds exposure values, the original date, the image size and a GPS link.
std::string CameraTiff(bool motorola) {
  TiffBuilder b(motorola);
  const int exif = b.AddIfd();
  const int gps = b.AddIfd();
  b.Raw(0, 0x0100, 4, 1, b.U32(4000));
  b.Ascii(0, 0x010F, "TESTCAM");
  b.Ascii(0, 0x0110, "Model One");
  b.Short(0, 0x0112, {6});
  b.Ascii(0, 0x0132, "2020:01:01 10:00:00");
  b.Link(0, 0x8769, exif);
  b.Link(0, 0x8825, gps);
  b.Rational(exif, 0x829A, {{1, 250}});
  b.Rational(exif, 0x829D, {{28, 10}});
  b.Ascii(exif, 0x9003, "2021:06:15 12:30:45");
  b.Raw(exif, 0x9201, 10, 1, b.U32(6) + b.U32(1));  // signed rational
  b.Short(exif, 0x9209, {0x19});
  b.Rational(exif, 0x920A, {{62, 10}});
  b.Undefined(exif, 0x9286, std::string("ASCII\0\0\0A comment  ", 19));
  b.Short(exif, 0xA002, {640});
  b.Short(exif, 0xA003, {480});
  b.Rational(gps, 0x0002, {{48, 1}, {3050, 100}, {0, 1}});
  return b.Build();
}

class ByteOrderTest : public ::testing::TestWithParam<bool> {};

TEST_P(ByteOrderTest, HeaderFieldsAndTagsReadTheSameInBothOrders) {
  TimgData data;
  ASSERT_TRUE(
      data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(CameraTiff(GetParam()))}}), TFileKind::kJpeg));
  ASSERT_TRUE(data.ImageInfo);
  const TImageInfo& info = *data.ImageInfo;
  EXPECT_EQ(info.MotorolaOrder, GetParam());
  EXPECT_EQ(info.CameraMake, "TESTCAM");
  EXPECT_EQ(info.CameraModel, "Model One");
  EXPECT_EQ(info.DateTime, "2021:06:15 12:30:45");  // the EXIF original date wins
  EXPECT_EQ(info.Width, 640);                       // the EXIF size replaces IFD0's
  EXPECT_EQ(info.Height, 480);
  EXPECT_EQ(info.FlashUsed, 0x19);
  EXPECT_EQ(info.Comments, "A comment");

  EXPECT_EQ(info.LookupTagText("ExposureTime"), "1/250 sec");
  EXPECT_EQ(info.LookupTagText("fnumber"), "F2.8");  // lookups ignore case
  EXPECT_EQ(info.LookupTagText("Orientation"), "CounterClockwise 90°");
  EXPECT_EQ(info.LookupTagText("ShutterSpeedValue"), "0.0156 sec (1/64)");
  EXPECT_EQ(info.LookupTagText("Flash"), "On, auto mode");
  EXPECT_EQ(info.LookupTagText("GPSLatitude"), "48 Degrees 30 Minutes 30 Seconds");
  EXPECT_LT(info.LookupTag("NoSuchTag"), 0);
}

INSTANTIATE_TEST_SUITE_P(IntelAndMotorola, ByteOrderTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Motorola" : "Intel"; });

// The walk's deliberate limits, which the camera files cannot show one by one.
TEST(WalkLimitsTest, EarlyMetadataFirstApp1TwentySectionsAnd256000TiffBytes) {
  const std::string exif = ExifSection(CameraTiff(false));
  const std::string filler(10, 'x');
  TimgData data;
  // No APP1, APP13 or comment among the first four sections: not read at all.
  EXPECT_FALSE(data.ProcessBytes(
      MakeJpeg({{0xE0, filler}, {0xDB, filler}, {0xDB, filler}, {0xC4, filler}, {0xE1, exif}}),
      TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "Not an EXIF file");
  EXPECT_FALSE(data.ImageInfo);

  // The same APP1 fourth is read, and so is a comment that follows a metadata section.
  ASSERT_TRUE(data.ProcessBytes(
      MakeJpeg({{0xE0, filler}, {0xDB, filler}, {0xDB, filler}, {0xE1, exif}, {0xFE, "note"}}),
      TFileKind::kJpeg));
  ASSERT_TRUE(data.ImageInfo);
  EXPECT_EQ(data.ImageInfo->CameraMake, "TESTCAM");
  EXPECT_EQ(data.JfifSection, 0);
  EXPECT_EQ(data.ExifSection, 3);
  EXPECT_EQ(data.Comment(), "note");
  EXPECT_EQ(data.Sections[0].Marker, 0xE0);
  EXPECT_EQ(data.Sections[0].Size, 12);

  // Only the first APP1 is interpreted.
  TiffBuilder second(false);
  second.Ascii(0, 0x010F, "OTHER");
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(CameraTiff(false))},
                                          {0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>"},
                                          {0xE1, ExifSection(second.Build())}}),
                                TFileKind::kJpeg));
  EXPECT_EQ(data.ImageInfo->CameraMake, "TESTCAM");
  EXPECT_EQ(data.Sections.size(), 1u);  // later APP1 sections are not kept

  // An XMP APP1 first takes the Exif slot and is rejected; the real one after it is ignored.
  ASSERT_TRUE(data.ProcessBytes(
      MakeJpeg({{0xE1, "http://ns.adobe.com/xap/1.0/"}, {0xE1, ExifSection(CameraTiff(false))}}),
      TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "<none>");
  EXPECT_EQ(data.ImageInfo->CameraMake, "");

  // At most twenty sections are stored.
  std::vector<std::pair<int, std::string>> sections = {{0xFE, "comment"}};
  for (int i = 0; i < 30; ++i) sections.push_back({0xE2, "icc"});
  sections.push_back({0xED, IptcSection({{2, 25, "late"}})});
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg(sections), TFileKind::kJpeg));
  EXPECT_EQ(data.Sections.size(), 20u);
  EXPECT_EQ(data.IptcSection, -1);

  // A TIFF file is read only as far as 256000 bytes after its header.
  TiffBuilder b(false);
  b.Ascii(0, 0x010F, "NEAR");
  b.Ascii(0, 0x0110, "Far away");
  std::string tiff = b.Build();
  // Move the model's value far behind the limit and point its entry (the second) at it.
  const std::uint32_t far = 256000 + 8 + 100;
  tiff.replace(8 + 2 + 12 + 8, 4, b.U32(far));
  tiff.resize(far, '\0');
  tiff += std::string("Far away\0", 9);
  ASSERT_TRUE(data.ProcessBytes(tiff, TFileKind::kTiff));
  EXPECT_EQ(data.ImageInfo->CameraMake, "NEAR");
  EXPECT_EQ(data.ImageInfo->CameraModel, "");
  EXPECT_EQ(data.ImageInfo->Length(), TimgData::kMaxTiffBytes);
}

TEST(DirectoryTest, LoopsOffsetsFormatsAndSharedValuesAreHarmless) {
  TiffBuilder b(true);
  const int exif = b.AddIfd();
  b.Ascii(0, 0x010F, "LOOP");
  b.Link(0, 0x8769, exif);
  b.Link(exif, 0x8769, 0);             // back to IFD0
  b.Link(exif, 0xA005, exif);          // to itself
  b.Raw(exif, 0x829A, 5, 1, "");       // value offset 0 is the TIFF header, not a rational
  b.Raw(exif, 0x9000, 99, 4, "0220");  // format code beyond the table: skipped
  b.Raw(exif, 0x9003, 2, 0x40000000, std::string("\x7F\xFF\xFF\xF0", 4));  // far outside
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(b.Build())}}), TFileKind::kJpeg));
  const TImageInfo& info = *data.ImageInfo;
  EXPECT_EQ(info.CameraMake, "LOOP");
  EXPECT_EQ(info.ExifVersion, "");
  EXPECT_EQ(info.DateTime, "");

  // 300 maker-note entries sharing one block of 30000 Canon custom-function values: the whole
  // list stays in proportion to the file (the functions' values are FormatterTest's).
  TimgData shared;
  ASSERT_TRUE(shared.ProcessFile(std::string(VEMORA_SOURCE_DIR) +
                                 "/tests/apps/hostile/canon_custom_functions.jpg"));
  ASSERT_NE(shared.ImageInfo, nullptr);
  const auto& tags = shared.ImageInfo->Tags;
  EXPECT_LT(tags.size(), 2000 + shared.FileSize / 8);
  size_t text = 0;
  for (const TTagEntry& tag : tags) text += tag.Data.size() + tag.Raw.size();
  EXPECT_LT(text, 8 * shared.FileSize);
}

TEST(FocalLength35mmTest, ComputedFromTheSensorResolution) {
  const auto read = [](bool withFilmTag, int unit) {
    TiffBuilder b(false);
    const int exif = b.AddIfd();
    b.Short(0, 0x0128, {2});
    b.Link(0, 0x8769, exif);
    b.Rational(exif, 0x920A, {{71, 10}});
    b.Short(exif, 0xA002, {2272});
    b.Short(exif, 0xA003, {1704});
    b.Rational(exif, 0xA20E, {{3200, 1}});  // pixels per unit
    b.Rational(exif, 0xA20F, {{3200, 1}});
    if (unit > 0) b.Short(exif, 0xA210, {static_cast<std::uint16_t>(unit)});
    if (withFilmTag) b.Short(exif, 0xA405, {35});
    TimgData data;
    data.ProcessBytes(MakeJpeg({{0xE1, ExifSection(b.Build())}}), TFileKind::kJpeg);
    return data.ImageInfo->LookupTagText("FocalLengthIn35mmFilm");
  };
  // Sensor 7.1 x 5.325 mm (diagonal 8.875): factor 4.875.
  EXPECT_EQ(read(false, 3), "34.61 mm");
  // Without a focal-plane unit the resolution unit (inch) is used: 2.54 times larger sensor.
  EXPECT_EQ(read(false, 0), "13.63 mm");
  EXPECT_EQ(read(true, 3), "35");  // the file's own value stays
}

using FileTest = testing::TempFolderTest;

TEST_F(FileTest, HasMetaDataForTheExifButton) {
  const auto has = [&](const std::string& name, const std::string& bytes) {
    PutFile(name, bytes);
    return HasMetaData(PathOf(name));
  };
  EXPECT_TRUE(has("exif.jpg", MakeJpeg({{0xE1, ExifSection(CameraTiff(false))}})));
  EXPECT_TRUE(has("comment.jpg", MakeJpeg({{0xFE, "hello"}})));
  EXPECT_TRUE(has("camera.tif", CameraTiff(false)));
  EXPECT_FALSE(has("plain.jpg", MakeJpeg({{0xE0, "JFIF"}})));
  EXPECT_FALSE(has("exif.bmp", "BM"));
  EXPECT_FALSE(HasMetaData(PathOf("missing.jpg")));
  // The short Exif header that once threw out of the reader, and a folder named like a photo.
  EXPECT_TRUE(has("short.jpg", MakeJpeg({{0xE1, std::string("Exif\0", 5)}})));
  std::filesystem::create_directory(PathOf("folder.jpg"));
  EXPECT_FALSE(HasMetaData(PathOf("folder.jpg")));
}

// The real files' keywords are ASCII only.
TEST(IptcTest, Latin1TextsBecomeUtf8AndDamagedBlocksAreCut) {
  TIPTCdata iptc;
  iptc.ParseIPTCStrings(IptcSection({{2, 25, "Fr\xFChling"}, {2, 25, "Gr\xFCn"}}));
  EXPECT_EQ(iptc.LookupTagText("Keywords"), "Frühling,Grün");

  TIPTCdata damaged;
  damaged.ParseIPTCStrings(
      std::string("no signature here \x1C\x02\x19\x00\x03"
                  "abc",
                  26));
  EXPECT_TRUE(damaged.Tags.empty());

  // A value length that runs past the section is cut at its end.
  std::string section = IptcSection({{2, 90, "Zurich"}});
  section[section.size() - 9] = '\x7F';  // high byte of the length
  damaged.ParseIPTCStrings(section);
  ASSERT_EQ(damaged.Tags.size(), 1u);
  EXPECT_EQ(damaged.Tags[0].Data, std::string("Zurich\0", 7));  // up to the end, padding included

  // Whatever follows the datasets (other Photoshop resources) is not read as IPTC.
  TIPTCdata tail;
  tail.ParseIPTCStrings(IptcSection({{2, 90, "Bern"}}) +
                        std::string("8BIM\x04\x0C\x1C\x02\x19\x00\x01x", 12));
  EXPECT_EQ(tail.Tags.size(), 1u);
}

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

TEST(FormatNumberTest, RationalsIntegersDecodingStringsAndTexts) {
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
