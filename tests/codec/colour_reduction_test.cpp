// Colour reduction keeps its promise on a real photo: at most 2, 16 or 256 greys, at most
// 16 or 256 colours, and still looks like the picture.
#include "codec/colour_reduction.h"

#include <gtest/gtest.h>

#include <set>

#include "codec/bmp.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

using testing::Psnr;

size_t DistinctColours(const Image& image) {
  std::set<uint32_t> colours;
  const int n = BytesPerPixel(image.format);
  for (size_t i = 0; i < image.pixels.size(); i += n) {
    uint32_t key = 0;
    for (int c = 0; c < n; ++c) key = key << 8 | image.pixels[i + c];
    colours.insert(key);
  }
  return colours.size();
}

TEST(ColourReduction, EachFormatKeepsItsPromiseOnAPhoto) {
  VEMORA_REQUIRE_TESTDATA();
  const Image photo = DecodeBmp(testing::TestImageBytes("bmp/real/Sony_FD71_MVC-004S.BMP"));
  ASSERT_GT(DistinctColours(photo), 10000u);
  // A median-cut palette must also follow the picture: 256 colours stay close to the photo.
  const struct {
    ColourFormat format;
    PixelFormat pixels;
    size_t atMost;
    double minimumPsnr;  // 0: no bound
  } cases[] = {{ColourFormat::BlackWhite, PixelFormat::Gray8, 2, 0},
               {ColourFormat::Grey16, PixelFormat::Gray8, 16, 0},
               {ColourFormat::Grey256, PixelFormat::Gray8, 256, 0},
               {ColourFormat::Colours16, PixelFormat::Rgb24, 16, 0},
               {ColourFormat::Colours256, PixelFormat::Rgb24, 256, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(ColourFormatName(c.format)));
    const Image reduced = ReduceColours(photo, c.format);
    EXPECT_EQ(reduced.format, c.pixels);
    EXPECT_EQ(reduced.width, photo.width);
    EXPECT_LE(DistinctColours(reduced), c.atMost);
    // Every level in use: a quantiser that collapses to a few colours would pass the bound.
    EXPECT_GE(DistinctColours(reduced), c.atMost * 3 / 4);
    EXPECT_GE(Psnr(photo, reduced), c.minimumPsnr);
  }
  EXPECT_TRUE(ReduceColours(photo, ColourFormat::TrueColour).pixels == photo.pixels);
}

TEST(ColourReduction, GreyInputAndStoredCodes) {
  Image grey{64, 4, PixelFormat::Gray8, {}};
  for (int i = 0; i < 256; ++i) grey.pixels.push_back(static_cast<uint8_t>(i));
  const Image colour = ReduceColours(grey, ColourFormat::Colours16);
  EXPECT_EQ(colour.format, PixelFormat::Rgb24);
  EXPECT_LE(DistinctColours(colour), 16u);
  EXPECT_EQ(ColourFormatOf(grey), ColourFormat::Grey256);
  EXPECT_EQ(ColourFormatFromCode(4), ColourFormat::Colours256);
  EXPECT_FALSE(ColourFormatFromCode(6).has_value());
  EXPECT_EQ(ColourFormatName(ColourFormat::BlackWhite), "schwarz/weiß");
  EXPECT_THROW(ReduceColours(Image{}, ColourFormat::Grey16), CodecError);
}

}  // namespace
}  // namespace vemora::codec
