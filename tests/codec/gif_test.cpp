// GIF: the first frame on its logical screen, transparency as white, interlaced rows in
// display order.
#include "codec/gif.h"

#include <gif_lib.h>
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
