// GIF: the first frame on its logical screen, transparency as white.
#include "codec/gif.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace vemora::codec {
namespace {

std::vector<uint8_t> ReadGif(const std::string& name) {
  return testing::TestImageBytes("misc/gif/" + name);
}

TEST(Gif, RealFilesDecodeToTheirSize) {
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
}

TEST(Gif, DamagedDataIsRefused) {
  VEMORA_REQUIRE_TESTDATA();
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

}  // namespace
}  // namespace vemora::codec
