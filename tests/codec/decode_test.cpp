#include "codec/decode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "codec/budget.h"
#include "codec/image_kind.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

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
}

TEST(RealFiles, BigTiffAndReadingFilesByPath) {
  VEMORA_REQUIRE_TESTDATA();
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

}  // namespace
}  // namespace vemora::codec
