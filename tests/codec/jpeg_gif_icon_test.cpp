// JPEG round trips, CMYK inks and reduced decodes; GIF: the first frame on its logical
// screen, transparency as white, interlaced rows in display order; Windows icons: the best
// entry is chosen, masks and alpha become white. Damaged files of each fail cleanly.
#include "codec/gif.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <filesystem>

#include "codec/icon.h"
#include "codec/jpeg.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::MakeTestPicture;
using testing::Psnr;

std::vector<uint8_t> ReadGif(const std::string& name) {
  return testing::TestImageBytes("misc/gif/" + name);
}

TEST(Gif, RealFilesDecodeToTheirSizeAndDamagedDataIsRefused) {
  VEMORA_REQUIRE_TESTDATA();
  const std::pair<const char*, std::pair<int, int>> files[] = {
      {"Sony_DSC-P5_TXT00011.GIF", {2048, 1536}},
      {"animated-invalid-xmp.gif", {48, 22}},
      {"issue201.gif", {500, 375}},
      {"mspaint-10x10.gif", {10, 10}},
      {"palette-1c-8b_gif87a.gif", {157, 151}},
      {"photoshop-8x12-32colors-alpha.gif", {8, 12}}};
  for (const auto& [name, size] : files) {
    SCOPED_TRACE(name);
    const Image image = DecodeGif(ReadGif(name));
    EXPECT_EQ(image.width, size.first);
    EXPECT_EQ(image.height, size.second);
    EXPECT_EQ(image.pixels.size(), image.RowBytes() * image.height);
  }
  const Image alpha = DecodeGif(ReadGif("photoshop-8x12-32colors-alpha.gif"));
  const uint8_t* corner = alpha.Row(11) + 3 * 7;  // transparent there
  EXPECT_EQ(corner[0] + corner[1] + corner[2], 3 * 255);

  const std::vector<uint8_t> whole = ReadGif("issue201.gif");
  EXPECT_THROW(DecodeGif({whole.begin(), whole.begin() + whole.size() / 2}), CodecError);
  EXPECT_THROW(DecodeGif({whole.begin(), whole.begin() + 13}), CodecError);  // header only
  EXPECT_THROW(DecodeGif(std::vector<uint8_t>{'G', 'I', 'F'}), CodecError);
  // A 10000 x 10000 screen from a small file is refused before the canvas is allocated.
  std::vector<uint8_t> lying = ReadGif("mspaint-10x10.gif");
  lying[6] = lying[8] = 0x10;
  lying[7] = lying[9] = 0x27;
  EXPECT_THROW(DecodeGif(lying), CodecError);
}

// None of the shared GIFs is interlaced, so one is written here through giflib: a gradient
// whose row y has colour index y * 9, handed over in the file's four-pass order.
TEST(Gif, InterlacedRowsComeOutInDisplayOrder) {
  constexpr int kWidth = 5, kHeight = 21;
  std::vector<uint8_t> bytes;
  const auto sink = [](GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
  };
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, sink, &error);
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = {static_cast<GifByteType>(i), 0, 7};
  ColorMapObject* map = GifMakeMapObject(256, colours);
  ASSERT_EQ(EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map), GIF_OK);
  ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, true, nullptr), GIF_OK);
  const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
  std::vector<GifPixelType> line(kWidth);
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = starts[pass]; y < kHeight; y += steps[pass]) {
      std::fill(line.begin(), line.end(), static_cast<GifPixelType>(y * 9));
      ASSERT_EQ(EGifPutLine(gif, line.data(), kWidth), GIF_OK);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);

  const Image image = DecodeGif(bytes);
  ASSERT_EQ(image.height, kHeight);
  for (int y = 0; y < kHeight; ++y) EXPECT_EQ(image.Row(y)[0], y * 9) << "row " << y;
}

std::vector<uint8_t> ReadIcon(const std::string& name) {
  return testing::TestImageBytes("misc/ico/" + name);
}

std::vector<uint8_t> Pixel(const Image& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

TEST(Icon, TheLargestThenDeepestEntryIsDecodedAndDamagedFilesFail) {
  VEMORA_REQUIRE_TESTDATA();
  // 23 entries from 16 to 256 pixels; three 256-pixel PNG entries of 4, 8 and 32 bits.
  const Image many = DecodeIcon(ReadIcon("icon_23_entries.ico"));
  EXPECT_EQ(many.width, 256);
  EXPECT_EQ(many.height, 256);
  const Image depths = DecodeIcon(ReadIcon("multiple_entries_with_different_bit_depth.ico"));
  EXPECT_EQ(depths.width, 48);
  const Image smile = DecodeIcon(ReadIcon("smile.ico"));  // 16 and 32 pixels
  EXPECT_EQ(smile.width, 32);
  EXPECT_EQ(Pixel(smile, 16, 16), (std::vector<uint8_t>{255, 255, 0}));
  EXPECT_EQ(DecodeIcon(ReadIcon("exiftool_1x1.ico")).width, 1);

  // The mask is cut short, but 32-bit alpha makes it unnecessary.
  EXPECT_EQ(DecodeIcon(ReadIcon("truncated_mask_32bpp.ico")).width, 64);
  EXPECT_THROW(DecodeIcon(ReadIcon("os2/ARROW1.ICO")), CodecError);
  // Entries that point outside the file leave nothing to decode.
  std::vector<uint8_t> lying = ReadIcon("smile.ico");
  lying.resize(22 + 40);
  EXPECT_THROW(DecodeIcon(lying), CodecError);
  EXPECT_THROW(DecodeIcon(std::vector<uint8_t>{0, 0, 1, 0, 0, 0}), CodecError);

  // The same picture stored with a mask, with 32-bit alpha and as PNG: corners are
  // transparent (white), and the three agree nearly everywhere (edges are soft with alpha).
  const Image mask = DecodeIcon(ReadIcon("bmp-24bpp-mask.ico"));
  const Image alpha = DecodeIcon(ReadIcon("bmp-32bpp-alpha.ico"));
  const Image png = DecodeIcon(ReadIcon("png-32bpp-alpha.ico"));
  ASSERT_EQ(mask.pixels.size(), 32u * 32u * 3u);
  EXPECT_EQ(Pixel(mask, 0, 0), (std::vector<uint8_t>{255, 255, 255}));
  EXPECT_EQ(Pixel(png, 0, 0), (std::vector<uint8_t>{255, 255, 255}));
  EXPECT_EQ(Pixel(mask, 16, 16), Pixel(png, 16, 16));
  for (const Image* other : {&alpha, &png}) {
    ASSERT_EQ(other->pixels.size(), mask.pixels.size());
    size_t same = 0;
    for (size_t i = 0; i < mask.pixels.size(); ++i) same += mask.pixels[i] == other->pixels[i];
    EXPECT_GT(same, mask.pixels.size() * 9 / 10);
  }
}

TEST(Jpeg, RoundTripKeepsSizeFormatAndLooksAndDamagedDataFailsCleanly) {
  for (PixelFormat format : {PixelFormat::Rgb24, PixelFormat::Gray8}) {
    const Image original = MakeTestPicture(203, 97, format);
    const std::vector<uint8_t> bytes = EncodeJpeg(original);
    const Image decoded = DecodeJpeg(bytes);
    EXPECT_EQ(decoded.format, format);
    EXPECT_GT(Psnr(original, decoded), 28) << "format " << static_cast<int>(format);

    const ImageInfo info = ReadJpegInfo(bytes);
    EXPECT_EQ(info.width, 203);
    EXPECT_EQ(info.height, 97);
    EXPECT_EQ(info.bitsPerPixel, format == PixelFormat::Gray8 ? 8 : 24);
  }

  const std::vector<uint8_t> whole = EncodeJpeg(MakeTestPicture(256, 256));
  // A truncated file decodes to its full size as long as its header survived.
  for (size_t length : {size_t{0}, size_t{1}, size_t{2}, size_t{20}, size_t{300}, whole.size() / 2,
                        whole.size() - 2}) {
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + length);
    try {
      const Image image = DecodeJpeg(part);
      EXPECT_EQ(image.width, 256) << length;
      EXPECT_EQ(image.height, 256) << length;
    } catch (const CodecError&) {
      EXPECT_LT(length, whole.size() / 2) << "only a lost header may fail";
    }
  }
  EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}), CodecError);
  EXPECT_THROW(ReadJpegInfo(std::vector<uint8_t>{'B', 'M', 0, 0}), CodecError);
}

// data/cmyk_red_*.jpg: 16 x 16 pure red (cyan 0, magenta and yellow full, black 0), written
// once with libjpeg-turbo 2.1 at quality 95. Adobe stores every ink inverted and marks the
// file with its APP14 segment; other writers store inks as they are, unmarked.
TEST(Jpeg, CmykInBothInkConventionsComesOutAsRgb) {
  const std::filesystem::path data = std::filesystem::path(VEMORA_SOURCE_DIR) / "tests/codec/data";
  for (const char* name : {"cmyk_red_adobe.jpg", "cmyk_red_plain.jpg"}) {
    const Image image = DecodeJpeg(ReadFileBytes(data / name));
    ASSERT_EQ(image.format, PixelFormat::Rgb24) << name;
    const uint8_t* pixel = image.Row(8) + 3 * 8;
    EXPECT_GT(pixel[0], 240) << name;
    EXPECT_LT(pixel[1], 15) << name;
    EXPECT_LT(pixel[2], 15) << name;
  }
}

// The preview decodes at a reduced scale; the real camera file there checks the picture.
TEST(Jpeg, ScaledDecodeKeepsTheCornerAndPicksTheSmallestScaleFor100Rows) {
  const Image original = MakeTestPicture(333, 250);
  const std::vector<uint8_t> bytes = EncodeJpeg(original);
  const Image small = DecodeJpeg(bytes, JpegDecodeOptions{1, true});
  EXPECT_EQ(small.width, 42);  // sizes round up
  EXPECT_EQ(small.height, 32);
  EXPECT_NEAR(small.Row(0)[0], original.Row(4)[4 * 3], 20);  // not mirrored or shifted
  EXPECT_THROW(DecodeJpeg(bytes, JpegDecodeOptions{0, false}), CodecError);
  EXPECT_EQ(JpegScaleForHeight(4000, 100), 1);
  EXPECT_EQ(JpegScaleForHeight(793, 100), 1);  // 99.1 rounds up to 100
  EXPECT_EQ(JpegScaleForHeight(792, 100), 2);
  EXPECT_EQ(JpegScaleForHeight(60, 100), 8);
}

}  // namespace
}  // namespace vemora::codec
