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
      {"exiftool.gif", {8, 8}},
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

// Writes a GIF of a vertical gradient through giflib, interlaced or not.
std::vector<uint8_t> MakeGif(int width, int height, bool interlace) {
  struct Sink {
    static int Write(GifFileType* gif, const GifByteType* data, int length) {
      auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
      out->insert(out->end(), data, data + length);
      return length;
    }
  };
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, &Sink::Write, &error);
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i)
    colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i), 7};
  ColorMapObject* map = GifMakeMapObject(256, colours);
  EXPECT_EQ(EGifPutScreenDesc(gif, width, height, 8, 0, map), GIF_OK);
  EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, width, height, interlace, nullptr), GIF_OK);
  // With interlacing the caller hands rows over in the file's pass order.
  std::vector<int> order;
  if (interlace) {
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = starts[pass]; y < height; y += steps[pass]) order.push_back(y);
  } else {
    for (int y = 0; y < height; ++y) order.push_back(y);
  }
  std::vector<GifPixelType> line(width);
  for (int y : order) {
    std::fill(line.begin(), line.end(), static_cast<GifPixelType>(y * 9));
    EXPECT_EQ(EGifPutLine(gif, line.data(), width), GIF_OK);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

TEST(Gif, InterlacedRowsComeOutInDisplayOrder) {
  const Image plain = DecodeGif(MakeGif(5, 21, false));
  const Image interlaced = DecodeGif(MakeGif(5, 21, true));
  ASSERT_EQ(plain.height, 21);
  EXPECT_EQ(plain.Row(20)[0], 180);
  EXPECT_EQ(plain.Row(20)[1], 75);
  EXPECT_TRUE(interlaced.pixels == plain.pixels);
}

TEST(Gif, DamagedDataIsRefused) {
  std::vector<uint8_t> cut = MakeGif(40, 40, false);
  cut.resize(cut.size() / 2);
  EXPECT_THROW(DecodeGif(cut), CodecError);
  std::vector<uint8_t> header = MakeGif(4, 4, false);
  header.resize(13);  // screen descriptor only, no picture
  EXPECT_THROW(DecodeGif(header), CodecError);
  EXPECT_THROW(DecodeGif(std::vector<uint8_t>{'G', 'I', 'F'}), CodecError);
  // A logical screen of 10000 x 10000 from a file of a few hundred bytes is refused before
  // the canvas is allocated.
  std::vector<uint8_t> lying = MakeGif(4, 4, false);
  lying[6] = lying[8] = 0x10;
  lying[7] = lying[9] = 0x27;
  EXPECT_THROW(DecodeGif(lying), CodecError);
}

}  // namespace
}  // namespace vemora::codec
