// Image kinds, the decoders on the shared real files and fuzz findings; JPEG round trips, CMYK
// inks and reduced decodes; GIF's first frame, transparency and interlaced rows; Windows
// icons' best entry, masks and alpha; stored images converted between kinds, and the 100-row
// previews the catalogue keeps.
#include "codec/decode.h"

#include <gtest/gtest.h>

#include <gif_lib.h>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "codec/bmp.h"
#include "codec/budget.h"
#include "codec/convert.h"
#include "codec/gif.h"
#include "codec/icon.h"
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
using testing::TestImageBytes;

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> list) { return list; }

TEST(ImageKinds, CatalogueGoesByTheFirstByteAndTheSnifferFurther) {
  EXPECT_EQ(CatalogueImageKind(Bytes({'B', 'M'})), ImageKind::Bmp);
  EXPECT_EQ(CatalogueImageKind(Bytes({'B', 'A'})), ImageKind::Bmp);  // an OS/2 array too
  EXPECT_EQ(CatalogueImageKind(Bytes({'I', 'I', 42, 0})), ImageKind::Tiff);
  EXPECT_EQ(CatalogueImageKind(Bytes({0xFF, 0xD8})), ImageKind::Jpeg);
  // A big-endian TIFF is a TIFF, but not one the catalogue shows.
  EXPECT_EQ(CatalogueImageKind(Bytes({'M', 'M', 0, 42})), ImageKind::Unknown);
  EXPECT_EQ(CatalogueImageKind(Bytes({0, 0, 1, 0})), ImageKind::Unknown);  // an icon
  EXPECT_EQ(CatalogueImageKind({}), ImageKind::Unknown);

  EXPECT_EQ(SniffImageKind(Bytes({'M', 'M', 0, 42})), ImageKind::Tiff);
  EXPECT_EQ(SniffImageKind(Bytes({'G', 'I', 'F', '8', '9', 'a'})), ImageKind::Gif);
  EXPECT_EQ(SniffImageKind(Bytes({0, 0, 1, 0, 1, 0})), ImageKind::Icon);
  EXPECT_EQ(SniffImageKind(Bytes({0, 0, 2, 0, 1, 0})), ImageKind::Unknown);  // a cursor
  EXPECT_THROW(DecodeImage(Bytes({1, 2, 3, 4})), CodecError);
}

// The budget every decoder checks before allocating.
TEST(PictureBudget, TakesRealPhotosAndRefusesLyingHeaders) {
  const struct {
    int64_t width, height;
    size_t bytes;
    int64_t pixelsPerByte;
    bool fits;
    const char* why;
  } cases[] = {
      {11648, 8736, 25'000'000, kJpegPixelsPerByte, true, "a 100-MP camera photo"},
      {4000, 3000, 200'000, kJpegPixelsPerByte, true, "a flat 12-MP photo of 200 KB"},
      {64, 64, 10, kJpegPixelsPerByte, true, "a tiny picture from a few bytes"},
      {10000, 10000, 25'000, kJpegPixelsPerByte, false, "10000 x 10000 from 25 KB"},
      {20000, 20000, 500'000'000, kJpegPixelsPerByte, false, "over the absolute limit"},
      {3'722'304'989, 3'722'304'989, 100, kDeflatePixelsPerByte, false,
       "sides whose product overflows"},
      {0, 100, 100, kJpegPixelsPerByte, false, "no width"},
  };
  for (const auto& c : cases) {
    bool fits = true;
    try {
      CheckPictureBudget("X", c.width, c.height, c.bytes, c.pixelsPerByte);
    } catch (const CodecError&) {
      fits = false;
    }
    EXPECT_EQ(fits, c.fits) << c.why;
  }
}

// "File:ImageWidth": 640 (JPEG) or "IFD0:ImageWidth": 640 (TIFF) from ExifTool's output.
std::optional<int> OracleNumber(const std::string& json, const std::string& key) {
  const size_t at = json.find("\"" + key + "\": ");
  if (at == std::string::npos) return std::nullopt;
  return std::stoi(json.substr(at + key.size() + 4));
}

// Every camera JPEG and TIFF decodes to the size ExifTool reports; files ExifTool finds no
// picture size in (metadata only, cut short, fuzzed) fail with a CodecError.
TEST(RealFiles, DecodeToTheSizesExifToolReports) {
  VEMORA_REQUIRE_TESTDATA();
  const std::filesystem::path root = ::vemora::testing::TestDataDir() / "images" / "exif";
  const std::filesystem::path oracles = ::vemora::testing::TestDataDir() / "oracle" / "exiftool";
  int decoded = 0, refused = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || entry.path().extension() == ".tsv") continue;
    const std::filesystem::path relative = std::filesystem::relative(entry.path(), root);
    const std::vector<uint8_t> oracle = ReadFileBytes(oracles / (relative.string() + ".num.json"));
    const std::string json(oracle.begin(), oracle.end());
    std::optional<int> width = OracleNumber(json, "File:ImageWidth");
    std::optional<int> height = OracleNumber(json, "File:ImageHeight");
    if (!width) {
      width = OracleNumber(json, "IFD0:ImageWidth");
      height = OracleNumber(json, "IFD0:ImageHeight");
    }
    const std::vector<uint8_t> bytes = ReadFileBytes(entry.path());
    // ExifTool's author removed the image data of this NEF; only its directory is left.
    const bool hasPixels = width && height && relative.filename() != "Nikon_D70.nef";
    if (!hasPixels) {
      EXPECT_THROW(DecodeImage(bytes), CodecError) << relative;
      ++refused;
      continue;
    }
    const ImageInfo info = ReadImageInfo(bytes);
    EXPECT_EQ(info.width, *width) << relative;
    EXPECT_EQ(info.height, *height) << relative;
    const Image image = DecodeImage(bytes);
    EXPECT_EQ(image.width, *width) << relative;
    EXPECT_EQ(image.height, *height) << relative;
    EXPECT_EQ(image.pixels.size(), image.RowBytes() * static_cast<size_t>(image.height));
    ++decoded;
  }
  EXPECT_GT(decoded, 100);
  EXPECT_GE(refused, 5);

  for (const char* name : {"tiff/real/BigTIFF.tif", "tiff/real/BigTIFFMotorola.tif"}) {
    const Image image = DecodeImageFile(testing::TestImage(name));
    EXPECT_FALSE(image.empty()) << name;
  }
  try {
    DecodeImageFile(testing::TestImage("no/such/file.jpg"));
    ADD_FAILURE() << "a missing file must fail";
  } catch (const CodecError& error) {
    EXPECT_NE(std::string(error.what()).find("file.jpg"), std::string::npos);
  }
}

// Inputs the fuzzers found: frames or strips far larger than the file. Each must be refused
// quickly with an error, not decoded into a large grey picture.
TEST(FuzzFindings, AreRefusedCleanly) {
  const std::filesystem::path data = std::filesystem::path(VEMORA_SOURCE_DIR) / "tests/codec/data";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(data)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("fuzz_jpeg_", 0) != 0 && name.rfind("fuzz_tiff_", 0) != 0) continue;
    EXPECT_THROW(DecodeImage(ReadFileBytes(entry.path())), CodecError) << name;
    ++checked;
  }
  EXPECT_GE(checked, 3);
}

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

std::vector<uint8_t> ReadGif(const std::string& name) {
  return testing::TestImageBytes("misc/gif/" + name);
}

TEST(Gif, RealFilesDecodeToTheirSizeAndDamagedDataIsRefused) {
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

std::vector<uint8_t> ReadIcon(const std::string& name) {
  return testing::TestImageBytes("misc/ico/" + name);
}

std::vector<uint8_t> Pixel(const Image& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

TEST(Icon, TheLargestThenDeepestEntryIsDecodedAndDamagedFilesFail) {
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

  // The mask is cut short, but 32-bit alpha makes it unnecessary.
  EXPECT_EQ(DecodeIcon(ReadIcon("truncated_mask_32bpp.ico")).width, 64);
  EXPECT_THROW(DecodeIcon(ReadIcon("os2/ARROW1.ICO")), CodecError);
  // Entries that point outside the file leave nothing to decode.
  std::vector<uint8_t> lying = ReadIcon("smile.ico");
  lying.resize(22 + 40);
  EXPECT_THROW(DecodeIcon(lying), CodecError);
  EXPECT_THROW(DecodeIcon(std::vector<uint8_t>{0, 0, 1, 0, 0, 0}), CodecError);

  // The same picture stored with a mask, with 32-bit alpha and as PNG: corners are
  // transparent (white), and the three agree nearly everywhere (edges are soft with alpha).
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

TEST(Jpeg, RoundTripKeepsSizeFormatAndLooksAndDamagedDataFailsCleanly) {
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

// data/cmyk_red_*.jpg: 16 x 16 pure red (cyan 0, magenta and yellow full, black 0), written
// once with libjpeg-turbo 2.1 at quality 95. Adobe stores every ink inverted and marks the
// file with its APP14 segment; other writers store inks as they are, unmarked.
TEST(Jpeg, CmykComesOutAsRgbAndScaledDecodesKeepTheCorner) {
  const std::filesystem::path data = std::filesystem::path(VEMORA_SOURCE_DIR) / "tests/codec/data";
  for (const char* name : {"cmyk_red_adobe.jpg", "cmyk_red_plain.jpg"}) {
    const Image image = DecodeJpeg(ReadFileBytes(data / name));
    ASSERT_EQ(image.format, PixelFormat::Rgb24) << name;
    const uint8_t* pixel = image.Row(8) + 3 * 8;
    EXPECT_GT(pixel[0], 240) << name;
    EXPECT_LT(pixel[1], 15) << name;
    EXPECT_LT(pixel[2], 15) << name;
  }

  // The preview decodes at a reduced scale; the real camera file there checks the picture.
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

}  // namespace
}  // namespace vemora::codec
