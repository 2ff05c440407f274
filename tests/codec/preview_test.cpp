#include "codec/preview.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "codec/bmp.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "codec/stretch.h"
#include "codec/tiff.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::MakeTestPicture;
using testing::Psnr;

std::string AsText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(PreviewWidth, RoundsHalvesToEvenAndFallsBackTo100) {
  EXPECT_EQ(PreviewWidth(4000, 6000), 67);  // 66.67, portrait
  EXPECT_EQ(PreviewWidth(5, 8), 62);        // 62.5
  EXPECT_EQ(PreviewWidth(1, 1000), 1);      // 0.1 would be no picture at all
  EXPECT_EQ(PreviewWidth(50, 0), 100);      // a ratio that is no positive number
  EXPECT_EQ(PreviewWidth(-40, 30), 100);
}

TEST(MakePreview, EveryRecognisedKindGivesA100RowColourPicture) {
  const Image landscape = MakeTestPicture(400, 300);
  const Image portraitGrey = MakeTestPicture(120, 333, PixelFormat::Gray8);
  const std::tuple<const char*, std::vector<uint8_t>, int32_t> cases[] = {
      {"jpeg", EncodeJpeg(landscape), 133},
      {"grey jpeg", EncodeJpeg(portraitGrey), 36},
      {"grey tiff", EncodeTiff(portraitGrey), 36},
      {"bmp", EncodeBmp(landscape), 133},
      {"small jpeg, enlarged", EncodeJpeg(MakeTestPicture(30, 20)), 150},
  };
  for (const auto& [name, bytes, width] : cases) {
    const Image preview = MakePreview(bytes);
    EXPECT_EQ(preview.height, 100) << name;
    EXPECT_EQ(preview.width, width) << name;
    EXPECT_EQ(preview.format, PixelFormat::Rgb24) << name;
    const Image stored = DecodeJpeg(AsBytes(MakePreviewJpeg(AsText(bytes))));
    EXPECT_EQ(stored.width, width) << name;
    EXPECT_EQ(stored.height, 100) << name;
  }
}

TEST(MakePreview, UnrecognisedFirstBytesGiveNoPreview) {
  std::vector<uint8_t> bigEndianTiff = EncodeTiff(MakeTestPicture(20, 20));
  bigEndianTiff[0] = bigEndianTiff[1] = 'M';  // only the first byte matters
  EXPECT_TRUE(MakePreview(bigEndianTiff).empty());
  EXPECT_TRUE(MakePreview(std::vector<uint8_t>{0x89, 'P', 'N', 'G'}).empty());
  EXPECT_TRUE(MakePreview({}).empty());
  EXPECT_EQ(MakePreviewJpeg(std::string("\0\0\1\0", 4)), "");
  // A recognised first byte with damaged data behind it is an error, not an empty preview.
  EXPECT_THROW(MakePreview(std::vector<uint8_t>{'I', 'I', 42, 0, 1, 2}), CodecError);
}

// The reduced decode must show the same picture a full decode and stretch would.
TEST(MakePreview, ReducedJpegDecodeMatchesAFullDecode) {
  VEMORA_REQUIRE_TESTDATA();
  const std::vector<uint8_t> bytes =
      ReadFileBytes(::vemora::testing::TestDataDir() / "bench" / "Nikon_D90_4288x2848.JPG");
  const Image preview = MakePreview(bytes);
  EXPECT_EQ(preview.width, 151);
  EXPECT_EQ(preview.height, 100);
  const Image full = Stretch(DecodeJpeg(bytes), 151, 100);
  EXPECT_GT(Psnr(preview, full), 30);
}

}  // namespace
}  // namespace vemora::codec
