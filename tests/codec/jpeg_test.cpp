#include "codec/jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <jpeglib.h>

#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::MakeTestPicture;
using testing::Psnr;

// Writes samples with libjpeg directly, for the kinds our own encoder never produces.
std::vector<uint8_t> EncodeRaw(int width, int height, J_COLOR_SPACE space, int components,
                               const std::vector<uint8_t>& samples, bool adobeMarker) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  cinfo.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data()) +
                   static_cast<size_t>(cinfo.next_scanline) * width * components;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

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

TEST(Jpeg, CmykInBothInkConventionsComesOutAsRgb) {
  // Pure red is cyan 0, magenta and yellow full, black 0. Adobe stores every ink inverted
  // and marks the file with its APP14 segment; other writers store inks as they are.
  const int width = 16, height = 16;
  std::vector<uint8_t> plain, inverted;
  for (int i = 0; i < width * height; ++i) {
    plain.insert(plain.end(), {0, 255, 255, 0});
    inverted.insert(inverted.end(), {255, 0, 0, 255});
  }
  for (const auto& [samples, adobe] : {std::pair{plain, false}, std::pair{inverted, true}}) {
    const Image image = DecodeJpeg(EncodeRaw(width, height, JCS_CMYK, 4, samples, adobe));
    ASSERT_EQ(image.format, PixelFormat::Rgb24);
    const uint8_t* pixel = image.Row(8) + 3 * 8;
    EXPECT_GT(pixel[0], 240) << "adobe " << adobe;
    EXPECT_LT(pixel[1], 15) << "adobe " << adobe;
    EXPECT_LT(pixel[2], 15) << "adobe " << adobe;
  }
}

TEST(Jpeg, ScaledDecodeHasLibjpegSizesAndTheSamePicture) {
  const Image original = MakeTestPicture(333, 250);
  const std::vector<uint8_t> bytes = EncodeJpeg(original);
  for (int numerator = 1; numerator <= 8; ++numerator) {
    JpegDecodeOptions options;
    options.scaleNumerator = numerator;
    options.fast = numerator < 8;
    const Image scaled = DecodeJpeg(bytes, options);
    EXPECT_EQ(scaled.width, (333 * numerator + 7) / 8) << numerator;
    EXPECT_EQ(scaled.height, (250 * numerator + 7) / 8) << numerator;
  }
  // The top-left corner stays where it was: a wrongly placed or mirrored decode would not.
  JpegDecodeOptions eighth;
  eighth.scaleNumerator = 1;
  const Image small = DecodeJpeg(bytes, eighth);
  EXPECT_NEAR(small.Row(0)[0], original.Row(4)[4 * 3], 20);
  EXPECT_THROW(DecodeJpeg(bytes, JpegDecodeOptions{0, false}), CodecError);

  // The preview's choice: the smallest scale still giving 100 rows (sizes round up).
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

TEST(Jpeg, RefusesPicturesOverThePixelLimitBeforeDecoding) {
  std::vector<uint8_t> bytes = EncodeJpeg(MakeTestPicture(16, 16));
  // Rewrite the frame header to claim 65000 x 65000 pixels.
  for (size_t i = 2; i + 8 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      bytes[i + 5] = 0xFD, bytes[i + 6] = 0xE8;  // height
      bytes[i + 7] = 0xFD, bytes[i + 8] = 0xE8;  // width
      break;
    }
  }
  EXPECT_THROW(ReadJpegInfo(bytes), CodecError);
  EXPECT_THROW(DecodeJpeg(bytes), CodecError);
}

}  // namespace
}  // namespace vemora::codec
