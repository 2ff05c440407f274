// Stored images converted between kinds, and the 100-row previews the catalogue keeps.
#include "codec/convert.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/image_kind.h"
#include "codec/jpeg.h"
#include "codec/preview.h"
#include "codec/stretch.h"
#include "codec/tiff.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::MakeTestPicture;
using testing::Psnr;

std::string AsText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Each cell of the conversion table: which source/target pairs copy the bytes unchanged and
// which encode, and what the encoded result is.
TEST(ConvertImageStream, FollowsTheCopyAndEncodeTableAndLeavesFailuresAlone) {
  const Image picture = MakeTestPicture(48, 32);
  const std::string sources[] = {AsText(EncodeBmp(picture)), AsText(EncodeTiff(picture)),
                                 AsText(EncodeJpeg(picture))};
  const ImageKind targetKinds[] = {ImageKind::Unknown, ImageKind::Bmp, ImageKind::Jpeg,
                                   ImageKind::Tiff};
  // Rows: BMP, TIFF, JPEG source; columns: target codes 1 to 4. true = copy.
  const bool copies[3][4] = {
      {true, true, false, false}, {true, false, false, true}, {true, false, true, false}};
  for (int s = 0; s < 3; ++s) {
    for (int code = 1; code <= 4; ++code) {
      std::string destination = "previous content";
      EXPECT_EQ(ConvertImageStream(code, sources[s], destination), 0);
      const std::string cell = "source " + std::to_string(s) + ", target " + std::to_string(code);
      if (copies[s][code - 1]) {
        EXPECT_EQ(destination, sources[s]) << cell;
        continue;
      }
      const std::span<const uint8_t> bytes = AsBytes(destination);
      EXPECT_EQ(SniffImageKind(bytes), targetKinds[code - 1]) << cell;
      const Image result = DecodeImage(bytes);
      EXPECT_EQ(result.width, 48) << cell;
      EXPECT_EQ(result.height, 32) << cell;
    }
  }

  // Unknown sources and codes are no conversion; damaged sources fail even where the cell
  // copies. Neither touches the destination.
  const std::string jpeg = AsText(EncodeJpeg(MakeTestPicture(8, 8)));
  std::string destination = "kept";
  EXPECT_EQ(ConvertImageStream(2, std::string("MM\0*", 4), destination), 0);
  EXPECT_EQ(ConvertImageStream(3, "", destination), 0);
  EXPECT_EQ(ConvertImageStream(0, jpeg, destination), 0);
  EXPECT_EQ(ConvertImageStream(5, jpeg, destination), 0);
  const std::string cut = jpeg.substr(0, 40);  // nothing left but part of the header
  EXPECT_THROW(ConvertImageStream(1, cut, destination), CodecError);
  EXPECT_THROW(ConvertImageStream(3, cut, destination), CodecError);
  EXPECT_THROW(ConvertImageStream(2, "BM garbage", destination), CodecError);
  EXPECT_EQ(destination, "kept");
}

TEST(MakePreview, RecognisedKindsGiveA100RowColourPictureOthersNone) {
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

  // Unrecognised first bytes give no preview.
  std::vector<uint8_t> bigEndianTiff = EncodeTiff(MakeTestPicture(20, 20));
  bigEndianTiff[0] = bigEndianTiff[1] = 'M';  // only the first byte matters
  EXPECT_TRUE(MakePreview(bigEndianTiff).empty());
  EXPECT_TRUE(MakePreview(std::vector<uint8_t>{0x89, 'P', 'N', 'G'}).empty());
  EXPECT_TRUE(MakePreview({}).empty());
  EXPECT_EQ(MakePreviewJpeg(std::string("\0\0\1\0", 4)), "");
  // A recognised first byte with damaged data behind it is an error, not an empty preview.
  EXPECT_THROW(MakePreview(std::vector<uint8_t>{'I', 'I', 42, 0, 1, 2}), CodecError);

  EXPECT_EQ(PreviewWidth(4000, 6000), 67);  // 66.67, portrait
  EXPECT_EQ(PreviewWidth(5, 8), 62);        // 62.5
  EXPECT_EQ(PreviewWidth(1, 1000), 1);      // 0.1 would be no picture at all
  EXPECT_EQ(PreviewWidth(50, 0), 100);      // a ratio that is no positive number
  EXPECT_EQ(PreviewWidth(-40, 30), 100);
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
