#include "codec/jpeg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::MakeTestPicture;
using testing::Psnr;

TEST(Jpeg, RoundTripKeepsSizeFormatAndLooks) {
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

TEST(Jpeg, DamagedDataFailsCleanlyOrDecodesWhatIsThere) {
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

}  // namespace
}  // namespace vemora::codec
