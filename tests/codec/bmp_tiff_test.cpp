// BMP decoding over the shared bitmap suite and the 24-bit encoder's round trip; TIFF layouts,
// compressions, byte orders, orientations and transparency, and damaged files of both.
#include "codec/tiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "codec/bmp.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

namespace fs = std::filesystem;
using testing::MakeTestPicture;
using testing::Psnr;
using testing::TestImageBytes;

TEST(Tiff, RoundTripIsLosslessAndDamagedFilesFailCleanly) {
  for (PixelFormat format : {PixelFormat::Rgb24, PixelFormat::Gray8}) {
    const Image original = MakeTestPicture(301, 203, format);
    const std::vector<uint8_t> bytes = EncodeTiff(original);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), "II");
    EXPECT_LT(bytes.size(), original.pixels.size()) << "Deflate should shrink a ramp";
    const Image decoded = DecodeTiff(bytes);
    EXPECT_EQ(decoded.format, format);
    EXPECT_EQ(decoded.width, 301);
    EXPECT_EQ(decoded.height, 203);
    EXPECT_TRUE(decoded.pixels == original.pixels);
    const ImageInfo info = ReadTiffInfo(bytes);
    EXPECT_EQ(info.bitsPerPixel, format == PixelFormat::Gray8 ? 8 : 24);
  }

  const std::vector<uint8_t> whole = EncodeTiff(MakeTestPicture(64, 48));
  for (size_t length = 0; length < whole.size(); length += whole.size() / 23 + 1) {
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + length);
    try {
      const Image image = DecodeTiff(part);
      EXPECT_EQ(image.width, 64);
    } catch (const CodecError&) {
    }
  }
  // A header and directory claiming 200000 x 200000 pixels (width, height, strip offset).
  const std::vector<uint8_t> lying = {'I', 'I', 42, 0, 8, 0, 0, 0, 3,    0,           //
                                      0,   1,   4,  0, 1, 0, 0, 0, 0x40, 0x0D, 3, 0,  //
                                      1,   1,   4,  0, 1, 0, 0, 0, 0x40, 0x0D, 3, 0,  //
                                      17,  1,   4,  0, 1, 0, 0, 0, 8,    0,    0, 0,  //
                                      0,   0,   0,  0};
  EXPECT_THROW(DecodeTiff(lying), CodecError);
  EXPECT_THROW(ReadTiffInfo(lying), CodecError);
  EXPECT_THROW(DecodeTiff(std::vector<uint8_t>{'M', 'M', 0, 42, 0xFF, 0xFF, 0xFF, 0xFF}),
               CodecError);
}

// Every layout and lossless compression of the same photo must give the same pixels as
// its plain uncompressed strips; the JPEG-compressed ones must come close.
TEST(Tiff, VariantsAgreeWithTheUncompressedFileAndAlphaIsLaidOverWhite) {
  VEMORA_REQUIRE_TESTDATA();
  const Image reference = DecodeTiff(TestImageBytes("tiff/generated/rgb8_strip16_none_II.tif"));
  ASSERT_EQ(reference.width, 320);
  ASSERT_EQ(reference.height, 240);
  for (const char* name :
       {"rgb8_strip16_none_MM.tif", "rgb8_strip16_packbits_II.tif",
        "rgb8_strip32_deflate-pred2_II.tif", "rgb8_strip32_lzw-pred2_II.tif",
        "rgb8_singlestrip_lzw_II.tif", "rgb8_planar-separate_lzw_II.tif",
        "rgb8_tile128_none_II.tif", "rgb8_tile64_lzw_II.tif", "multipage-2_lzw_II.tif"}) {
    const Image image = DecodeTiff(TestImageBytes(std::string("tiff/generated/") + name));
    EXPECT_EQ(image.format, PixelFormat::Rgb24) << name;
    EXPECT_TRUE(image.pixels == reference.pixels) << name;
  }
  for (const char* name : {"rgb8_strip16_jpeg-rgb_II.tif", "rgb8_strip16_jpeg-ycbcr_II.tif",
                           "rgb8_tile64_jpeg_MM.tif"}) {
    EXPECT_GT(Psnr(reference, DecodeTiff(TestImageBytes(std::string("tiff/generated/") + name))),
              30)
        << name;
  }
  const Image rgb16 = DecodeTiff(TestImageBytes("tiff/generated/rgb16_strip16_deflate_II.tif"));
  EXPECT_GT(Psnr(reference, rgb16), 40);

  const auto decode = [](const std::string& name) {
    return DecodeTiff(TestImageBytes("tiff/generated/" + name));
  };
  const Image grey = decode("grey8_strip32_none_MM.tif");
  EXPECT_EQ(grey.format, PixelFormat::Gray8);
  EXPECT_TRUE(decode("grey8_strip32_lzw_II.tif").pixels == grey.pixels);
  EXPECT_GT(Psnr(grey, decode("grey16_strip16_none_II.tif")), 40);

  const Image palette = decode("palette8_strip32_none_II.tif");
  EXPECT_EQ(palette.format, PixelFormat::Rgb24);
  EXPECT_TRUE(decode("palette8_strip32_lzw_II.tif").pixels == palette.pixels);

  const Image bilevel = decode("bilevel_none_II.tif");
  EXPECT_EQ(bilevel.format, PixelFormat::Gray8);
  for (uint8_t value : bilevel.pixels) ASSERT_TRUE(value == 0 || value == 255);
  EXPECT_TRUE(decode("bilevel_g3_II.tif").pixels == bilevel.pixels);
  EXPECT_TRUE(decode("bilevel_g4_II.tif").pixels == bilevel.pixels);

  for (const char* name :
       {"minisblack-1c-8b", "minisblack-1c-16b", "miniswhite-1c-1b", "palette-1c-1b",
        "palette-1c-4b", "palette-1c-8b", "rgb-3c-8b", "rgb-3c-16b"}) {
    const Image big = DecodeTiff(TestImageBytes(std::string("tiff/libtiff/") + name + ".tiff"));
    const Image little =
        DecodeTiff(TestImageBytes(std::string("tiff/generated/libtiff-II/") + name + "_II.tiff"));
    EXPECT_EQ(big.width, 157) << name;
    EXPECT_EQ(big.height, 151) << name;
    EXPECT_TRUE(big.pixels == little.pixels) << name;
  }

  // The RGBA file holds the reference's colours under a varying alpha: laid over white, no
  // sample gets darker and many get lighter.
  const Image rgba = DecodeTiff(TestImageBytes("tiff/generated/rgba8_strip32_lzw_II.tif"));
  ASSERT_EQ(rgba.format, PixelFormat::Rgb24);
  ASSERT_EQ(rgba.pixels.size(), reference.pixels.size());
  size_t darker = 0, lighter = 0;
  for (size_t i = 0; i < rgba.pixels.size(); ++i) {
    darker += rgba.pixels[i] + 1 < reference.pixels[i];
    lighter += rgba.pixels[i] > reference.pixels[i] + 1;
  }
  EXPECT_EQ(darker, 0u);
  EXPECT_GT(lighter, rgba.pixels.size() / 4);
}

// The encoder writes top-left files; this rewrites the value of their orientation entry.
std::vector<uint8_t> WithOrientation(std::vector<uint8_t> tiff, uint16_t orientation) {
  const uint32_t directory = tiff[4] | tiff[5] << 8 | tiff[6] << 16 | tiff[7] << 24;
  const size_t count = tiff[directory] | tiff[directory + 1] << 8;
  for (size_t i = 0; i < count; ++i) {
    uint8_t* entry = &tiff[directory + 2 + 12 * i];
    if ((entry[0] | entry[1] << 8) == 0x0112) {
      entry[8] = static_cast<uint8_t>(orientation);
      return tiff;
    }
  }
  ADD_FAILURE() << "no orientation entry";
  return tiff;
}

// Turned pictures decode band by band, like upright ones, and land the right way round.
// 3000 x 1500 takes several bands; the axis-swapping orientations read as their
// unswapped neighbours.
TEST(Tiff, TurnedPicturesDecodeInBandsTheRightWayRound) {
  const Image picture = MakeTestPicture(3000, 1500);
  const std::vector<uint8_t> upright = EncodeTiff(picture);
  const struct {
    uint16_t orientation;
    bool flipRows;
    bool flipColumns;
  } cases[] = {{2, false, true}, {3, true, true}, {4, true, false}, {5, false, false},
               {6, false, true}, {7, true, true}, {8, true, false}};
  for (const auto& c : cases) {
    const Image image = DecodeTiff(WithOrientation(upright, c.orientation));
    ASSERT_EQ(image.width, picture.width) << c.orientation;
    ASSERT_EQ(image.height, picture.height) << c.orientation;
    bool same = true;
    for (int32_t y = 0; y < image.height && same; y += 7) {
      for (int32_t x = 0; x < image.width && same; x += 13) {
        const int32_t sy = c.flipRows ? image.height - 1 - y : y;
        const int32_t sx = c.flipColumns ? image.width - 1 - x : x;
        same = std::equal(image.Row(y) + 3 * x, image.Row(y) + 3 * x + 3, picture.Row(sy) + 3 * sx);
      }
    }
    EXPECT_TRUE(same) << "orientation " << c.orientation;
  }
}

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
