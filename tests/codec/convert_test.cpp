#include "codec/convert.h"

#include <gtest/gtest.h>

#include <string>

#include "codec/bmp.h"
#include "codec/decode.h"
#include "codec/jpeg.h"
#include "codec/tiff.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::MakeTestPicture;

std::string AsText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Each cell of the conversion table: which source/target pairs copy the bytes unchanged and
// which encode, and what the encoded result is.
TEST(ConvertImageStream, FollowsTheCopyAndEncodeTable) {
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
}

// Unknown sources and codes are no conversion; damaged sources fail even where the cell
// copies. Neither touches the destination.
TEST(ConvertImageStream, UnknownOrDamagedSourcesLeaveTheDestinationAlone) {
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

}  // namespace
}  // namespace vemora::codec
