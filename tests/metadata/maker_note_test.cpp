// Maker-note layouts: where each directory starts, where its offsets count from, the byte
// order it is read in, and which entries are listed.
#include <gtest/gtest.h>

#include <memory>

#include "exif_builder.h"
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

}  // namespace
}  // namespace vemora::metadata
