// Windows icons: the best entry is chosen, masks and alpha become white, PNG entries decode.
#include "codec/icon.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace vemora::codec {
namespace {

std::vector<uint8_t> ReadIcon(const std::string& name) {
  return testing::TestImageBytes("misc/ico/" + name);
}

std::vector<uint8_t> Pixel(const Image& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

TEST(Icon, TheLargestThenDeepestEntryIsDecoded) {
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
}

// The same picture stored with a mask, with 32-bit alpha and as PNG: corners are
// transparent (white), and the three agree nearly everywhere (edges are soft with alpha).
TEST(Icon, MaskAlphaAndPngEntriesAgree) {
  VEMORA_REQUIRE_TESTDATA();
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

TEST(Icon, DamagedAndForeignFiles) {
  VEMORA_REQUIRE_TESTDATA();
  // The mask is cut short, but 32-bit alpha makes it unnecessary.
  EXPECT_EQ(DecodeIcon(ReadIcon("truncated_mask_32bpp.ico")).width, 64);
  EXPECT_THROW(DecodeIcon(ReadIcon("os2/ARROW1.ICO")), CodecError);
  // Entries that point outside the file leave nothing to decode.
  std::vector<uint8_t> lying = ReadIcon("smile.ico");
  lying.resize(22 + 40);
  EXPECT_THROW(DecodeIcon(lying), CodecError);
  EXPECT_THROW(DecodeIcon(std::vector<uint8_t>{0, 0, 1, 0, 0, 0}), CodecError);
}

}  // namespace
}  // namespace vemora::codec
