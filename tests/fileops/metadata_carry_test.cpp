// Camera data survives scaling and conversion, as exiftool reads it: a JPEG scaled to a JPEG
// or converted to a TIFF keeps its Exif (with the new pixel size), GPS, XMP, IPTC and ICC.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "codec/convert.h"
#include "codec/decode.h"
#include "codec/image_file.h"
#include "codec/jpeg_metadata.h"
#include "codec/metadata_carry.h"
#include "codec/scale_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"
#include "support/testdata.h"

namespace vemora {
namespace {

using Tags = std::map<std::string, std::string>;

// What exiftool says about the file: "Tag" -> value, numbers unformatted.
Tags ReadTags(const std::string& path) {
  Tags tags;
  const std::string command =
      "exiftool -args -n -q -q -ExifIFD:all -GPS:all -IFD0:Make "
      "-IFD0:Model -IFD0:Orientation -XMP:all -IPTC:all "
      "-ICC_Profile:ProfileDescription -Warning '" +
      path + "' 2>&1";
  std::istringstream lines(testing::RunTool(command).output);
  for (std::string text; std::getline(lines, text);) {
    const auto equals = text.find('=');
    if (text.starts_with("-") && equals != std::string::npos)
      tags[text.substr(1, equals - 1)] = text.substr(equals + 1);
  }
  return tags;
}

bool HasExiftool() { return testing::RunTool("exiftool -ver 2>&1").status == 0; }

class MetadataCarryTest : public testing::TempFolderTest,
                          public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    if (!HasExiftool()) GTEST_SKIP() << "exiftool not installed (scripts/install-deps.sh)";
    VEMORA_REQUIRE_TESTDATA();
    TempFolderTest::SetUp();
    source = (testing::TestDataDir() / "images" / "exif" / GetParam()).string();
    bytes = codec::ReadFileBytes(source);
    before = ReadTags(source);
    ASSERT_FALSE(before.empty());
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& data) {
    codec::WriteFileAtomically(PathOf(name), data);
    return PathOf(name);
  }
  // Every tag the source had, with the same value, except the ones that must change.
  void ExpectCarried(const Tags& after, int32_t width, int32_t height) {
    EXPECT_EQ(after.count("Warning"), 0u) << after.at("Warning");
    for (const auto& [tag, value] : before) {
      if (tag == "ExifImageWidth" || tag == "ExifImageHeight" || tag == "Warning") continue;
      EXPECT_EQ(after.count(tag) ? after.at(tag) : "<fehlt>", value) << tag;
    }
    if (before.count("ExifImageWidth")) {
      EXPECT_EQ(after.at("ExifImageWidth"), std::to_string(width));
      EXPECT_EQ(after.at("ExifImageHeight"), std::to_string(height));
    }
  }

  std::string source;
  std::vector<uint8_t> bytes;
  Tags before;
};

TEST_P(MetadataCarryTest, ScaledOrConvertedToTiffAJpegKeepsItsMetadata) {
  codec::ScaleSettings settings;
  settings.maxWidth = 64;
  settings.maxHeight = 64;
  settings.interpolate = true;
  settings.filter = codec::ResampleFilter::Lanczos3;
  const auto scaled =
      codec::ScaleImageBytes(bytes, codec::ImageKind::Jpeg, codec::ImageKind::Jpeg, settings);
  ASSERT_TRUE(scaled);
  const codec::ImageInfo info = codec::ReadImageInfo(*scaled);
  EXPECT_LE(std::max(info.width, info.height), 64);
  ExpectCarried(ReadTags(Write("scaled.jpg", *scaled)), info.width, info.height);

  const auto tiff = codec::ConvertImage(bytes, codec::ImageKind::Jpeg, codec::ImageKind::Tiff);
  const codec::ImageInfo converted = codec::ReadImageInfo(tiff);
  ExpectCarried(ReadTags(Write("converted.tif", tiff)), converted.width, converted.height);
  // The pixels are still what the encoder wrote.
  EXPECT_EQ(codec::DecodeImage(tiff).width, converted.width);
}

// Exif with XMP, IPTC and ICC; big-endian Exif with GPS and ICC; a camera with maker note.
INSTANTIATE_TEST_SUITE_P(Cameras, MetadataCarryTest,
                         ::testing::Values("nomake/Photoshop_3_iptc.jpg",
                                           "other/HTC_Desire_gps.jpg", "canon/Canon_40D.jpg"),
                         [](const auto& info) {
                           std::string name = std::filesystem::path(info.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// The JPEG with the segments put right after its start-of-image marker.
std::vector<uint8_t> WithSegments(const std::vector<uint8_t>& jpeg,
                                  const std::vector<std::vector<uint8_t>>& segments) {
  std::vector<uint8_t> result = {jpeg[0], jpeg[1]};
  for (const auto& segment : segments) result.insert(result.end(), segment.begin(), segment.end());
  result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
  return result;
}

TEST(MetadataCarryRulesTest, OnlyCarriedSegmentsGoAlongAndABitmapTakesNone) {
  const codec::Image image{4, 4, codec::PixelFormat::Gray8, std::vector<uint8_t>(16, 9)};
  const std::vector<uint8_t> jpeg = codec::EncodeImage(image, codec::ImageKind::Jpeg);
  // An Exif block and a multi-picture index (which points into the old file).
  const std::vector<uint8_t> exif = {0xFF, 0xE1, 0, 8, 'E', 'x', 'i', 'f', 0, 0};
  const std::vector<uint8_t> mpf = {0xFF, 0xE2, 0, 6, 'M', 'P', 'F', 0};
  const std::vector<uint8_t> source = WithSegments(jpeg, {exif, mpf});

  const codec::JpegMetadata metadata = codec::ExtractJpegMetadata(source);
  ASSERT_EQ(metadata.segments.size(), 1u);
  EXPECT_EQ(metadata.segments[0], exif);
  const auto carried =
      codec::EncodeKeepingMetadata(image, codec::ImageKind::Jpeg, source, codec::ImageKind::Jpeg);
  EXPECT_EQ(carried.size(), jpeg.size() + exif.size());
  EXPECT_EQ(codec::DecodeImage(carried).pixels, codec::DecodeImage(jpeg).pixels);
  EXPECT_EQ(
      codec::EncodeKeepingMetadata(image, codec::ImageKind::Bmp, source, codec::ImageKind::Jpeg),
      codec::EncodeImage(image, codec::ImageKind::Bmp));

  // An Exif block whose thousand entries all claim its whole length copies at most a few
  // times its size into a TIFF.
  std::vector<uint8_t> hostile = {0xFF, 0xE1, 0,  0, 'E', 'x', 'i', 'f', 0,    0,
                                  'I',  'I',  42, 0, 8,   0,   0,   0,   0xE8, 3};
  for (int i = 0; i < 1000; ++i) {
    const std::vector<uint8_t> entry = {0x0E, 1, 7, 0, 0x00, 0x2F, 0, 0, 0, 0, 0, 0};
    hostile.insert(hostile.end(), entry.begin(), entry.end());  // ImageDescription, 12032 bytes
  }
  hostile.resize(hostile.size() + 4 + 1000);
  hostile[2] = static_cast<uint8_t>((hostile.size() - 2) >> 8);
  hostile[3] = static_cast<uint8_t>(hostile.size() - 2);
  const std::vector<uint8_t> hostileJpeg = WithSegments(jpeg, {hostile});
  const auto tiff = codec::EncodeKeepingMetadata(image, codec::ImageKind::Tiff, hostileJpeg,
                                                 codec::ImageKind::Jpeg);
  EXPECT_LT(tiff.size(), 4 * hostile.size());
  EXPECT_EQ(codec::DecodeImage(tiff).pixels, image.pixels);

  // A segment claiming more bytes than there are ends the walk; nothing is read past it.
  std::vector<uint8_t> cut(source.begin(), source.begin() + 8);
  EXPECT_TRUE(codec::ExtractJpegMetadata(cut).empty());
}

}  // namespace
}  // namespace vemora
