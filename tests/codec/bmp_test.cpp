// BMP decoding over the shared bitmap suite, and the 24-bit encoder's round trip.
#include "codec/bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "test_pictures.h"

namespace vemora::codec {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bmp(const std::string& relative) {
  return testing::TestImageBytes("bmp/" + relative);
}

std::vector<fs::path> FilesIn(const std::string& relative) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(testing::TestImage("bmp/" + relative)))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Every file the suite calls good decodes, to the size its header gives (most are 127x64
// except the few named here).
TEST(BmpSuite, GoodFilesDecodeToTheirSizeAndVariantsAlike) {
  VEMORA_REQUIRE_TESTDATA();
  const std::map<std::string, std::pair<int, int>> sizes = {{"pal8nonsquare.bmp", {127, 32}},
                                                            {"pal8w124.bmp", {124, 61}},
                                                            {"pal8w125.bmp", {125, 62}},
                                                            {"pal8w126.bmp", {126, 63}}};
  for (const auto& path : FilesIn("bmpsuite/g")) {
    SCOPED_TRACE(path.filename().string());
    Image image;
    ASSERT_NO_THROW(image = DecodeBmp(ReadFileBytes(path)));
    const auto found = sizes.find(path.filename().string());
    const auto [w, h] = found != sizes.end() ? found->second : std::pair<int, int>{127, 64};
    EXPECT_EQ(image.width, w);
    EXPECT_EQ(image.height, h);
    EXPECT_EQ(image.format, PixelFormat::Rgb24);
    EXPECT_EQ(image.pixels.size(), static_cast<size_t>(w) * h * 3);
  }

  // The suite stores one picture in many variants: header versions, top-down rows, run-length
  // coding, bit fields and palettes. Each group must decode to identical pixels.
  const std::vector<std::vector<std::string>> groups = {
      {"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8-0.bmp", "bmpsuite/g/pal8os2.bmp",
       "bmpsuite/g/pal8rle.bmp", "bmpsuite/g/pal8topdown.bmp", "bmpsuite/g/pal8v4.bmp",
       "bmpsuite/g/pal8v5.bmp"},
      {"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb24pal.bmp", "bmpsuite/g/rgb32.bmp",
       "bmpsuite/g/rgb32bf.bmp", "bmpsuite/g/rgb32bfdef.bmp"},
      {"bmpsuite/g/pal4.bmp", "bmpsuite/g/pal4rle.bmp"},
      {"bmpsuite/g/rgb16.bmp", "bmpsuite/g/rgb16bfdef.bmp"},
      {"image-rs/Info_4_Bit.bmp", "image-rs/Info_4_Bit_Top_Down.bmp", "image-rs/Info_8_Bit.bmp",
       "image-rs/Info_R8_G8_B8_Top_Down.bmp", "image-rs/Info_A8_R8_G8_B8.bmp",
       "image-rs/Info_X1_R5_G5_B5.bmp", "image-rs/V3_R5_G6_B5.bmp",
       "image-rs/V3_X8_R8_G8_B8_Top_Down.bmp"},
  };
  for (const auto& group : groups) {
    const Image first = DecodeBmp(Bmp(group[0]));
    for (size_t i = 1; i < group.size(); ++i) {
      SCOPED_TRACE(group[i]);
      const Image other = DecodeBmp(Bmp(group[i]));
      EXPECT_EQ(other.width, first.width);
      EXPECT_EQ(other.height, first.height);
      EXPECT_TRUE(other.pixels == first.pixels);
    }
  }
}

// Bad files are refused; questionable ones may go either way, but never anything other
// than a picture or a CodecError.
TEST(BmpSuite, BadFilesAreRefusedAndQuestionableOnesFailCleanly) {
  VEMORA_REQUIRE_TESTDATA();
  for (const auto& path : FilesIn("bmpsuite/b")) {
    SCOPED_TRACE(path.filename().string());
    EXPECT_THROW(DecodeBmp(ReadFileBytes(path)), CodecError);
  }
  EXPECT_THROW(DecodeBmp(Bmp("fuzzed/fuzz_bmp_1.bmp")), CodecError);
  // OS/2 bitmap arrays start "BA": not a bitmap file for us.
  EXPECT_THROW(DecodeBmp(Bmp("os2/SPADE.BMP")), CodecError);
  for (const auto& path : FilesIn("bmpsuite/q")) {
    SCOPED_TRACE(path.filename().string());
    try {
      const Image image = DecodeBmp(ReadFileBytes(path));
      EXPECT_EQ(image.pixels.size(), image.RowBytes() * image.height);
    } catch (const CodecError&) {
    }
  }
}

TEST(BmpEncode, RoundTripKeepsPixelsAtEveryRowPadding) {
  for (int32_t width : {1, 2, 3, 4, 5}) {
    const Image original = testing::MakeTestPicture(width, 3, PixelFormat::Rgb24);
    const std::vector<uint8_t> file = EncodeBmp(original);
    EXPECT_EQ(file.size(), 54u + (width * 3u + 3u) / 4u * 4u * 3u);
    const Image decoded = DecodeBmp(file);
    EXPECT_EQ(decoded.width, width);
    EXPECT_EQ(decoded.height, 3);
    EXPECT_TRUE(decoded.pixels == original.pixels) << "width " << width;
    EXPECT_EQ(ReadBmpInfo(file).bitsPerPixel, 24);
  }
}

// A hand-made 8-bit run-length file of three colours: black, red, blue.
std::vector<uint8_t> Rle8File(int32_t width, int32_t height, std::vector<uint8_t> data) {
  std::vector<uint8_t> file = EncodeBmp(testing::MakeTestPicture(1, 1, PixelFormat::Rgb24));
  file.resize(54);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  file[28] = 8;
  put32(30, 1);                                                        // RLE8
  put32(34, 0);                                                        // image size unknown
  put32(46, 3);                                                        // three colours
  const uint8_t palette[] = {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};  // black, red, blue
  file.insert(file.end(), std::begin(palette), std::end(palette));
  put32(10, static_cast<uint32_t>(file.size()));
  file.insert(file.end(), data.begin(), data.end());
  put32(2, static_cast<uint32_t>(file.size()));
  return file;
}

// Runs past a row and deltas out of the picture are the suite's badrle*.bmp files. Here: a
// colour past the table, and data that ends without an end-of-bitmap code.
TEST(BmpRunLength, HostileCodesAreRefused) {
  EXPECT_THROW(DecodeBmp(Rle8File(4, 1, {2, 7, 0, 1})), CodecError);
  EXPECT_THROW(DecodeBmp(Rle8File(4, 1, {2, 1})), CodecError);
  // A huge picture from a few bytes of run-length data is refused before allocating.
  EXPECT_THROW(DecodeBmp(Rle8File(30000, 30000, {0, 1})), CodecError);
}

}  // namespace
}  // namespace vemora::codec
