// Pixel sizes from file headers: the same as the codec's own reading for every shared JPEG,
// bitmap and GIF, chosen by the file's ending, and what a cut-off file reports.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "codec/decode.h"
#include "platform/file_io.h"
#include "search/image_header_size.h"
#include "search/search_snapshot.h"
#include "support/temp_folder.h"
#include "support/testdata.h"

namespace vemora {
namespace {

namespace fs = std::filesystem;

TEST(ImageHeaderSizeTest, AgreesWithTheCodecOnTheSharedFiles) {
  VEMORA_REQUIRE_TESTDATA();
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(testing::TestDataDir() / "images")) {
    const std::string path = entry.path().string();
    std::string ending = entry.path().extension().string();
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ending != ".JPG" && ending != ".BMP" && ending != ".GIF") continue;
    const std::string bytes = platform::ReadWholeFile(path);
    codec::ImageInfo info;
    try {
      info = codec::ReadImageInfo(codec::AsBytes(bytes));
      codec::DecodeImage(codec::AsBytes(bytes));
    } catch (const std::exception&) {
      continue;  // a damaged file: the size the header claims is as good as any
    }
    const auto size = ReadPixelSizeFromHeader(path);
    ASSERT_TRUE(size.has_value()) << path;
    EXPECT_EQ(size->width, info.width) << path;
    EXPECT_EQ(size->height, info.height) << path;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

class ImageHeaderFileTest : public testing::TempFolderTest {};

TEST_F(ImageHeaderFileTest, EndingChoosesTheReaderAndCutFilesKeepTheirHeader) {
  VEMORA_REQUIRE_TESTDATA();
  const std::string jpeg =
      platform::ReadWholeFile((testing::TestDataDir() / "bench/Nikon_D90_4288x2848.JPG").string());
  const auto write = [&](const std::string& name, const std::string& bytes) {
    PutFile(name, bytes);
    return PathOf(name);
  };
  const auto size = [](const std::string& path) {
    const auto found = ReadPixelSizeFromHeader(path);
    return found ? std::to_string(found->width) + "x" + std::to_string(found->height) : "-";
  };
  EXPECT_EQ(size(write("a.jpg", jpeg)), "4288x2848");
  EXPECT_EQ(size(write("a.JPEG", jpeg)), "4288x2848");
  EXPECT_EQ(size(write("a.bmp", jpeg)), "-") << "a JPEG named as a bitmap";
  EXPECT_EQ(size(write("a.tif", jpeg)), "-");
  EXPECT_EQ(size(write("cut.jpg", jpeg.substr(0, jpeg.size() / 2))), "4288x2848");
  EXPECT_EQ(size(write("head.jpg", jpeg.substr(0, 200))), "-");
  EXPECT_EQ(size(PathOf("missing.jpg")), "-");

  // A top-down bitmap has a negative height; the OS/2 header has 16-bit sizes.
  std::string bitmap = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4) +
                       std::string("\x10\0\0\0\xF8\xFF\xFF\xFF", 8);
  EXPECT_EQ(size(write("top-down.bmp", bitmap)), "16x8");
  EXPECT_EQ(size(write("cut.bmp", bitmap.substr(0, 24))), "-");
  const std::string os2 = "BM" + std::string(12, '\0') + std::string("\x0C\0\0\0\x20\0\x10\0", 8);
  EXPECT_EQ(size(write("os2.xyz", os2)), "32x16");
  EXPECT_EQ(size(write("screen.gif", std::string("GIF89a\x0A\0\x0C\0", 10))), "10x12");
}

TEST_F(ImageHeaderFileTest, DiskReaderTakesRelativePathsFromItsFolder) {
  PutFile("screen.gif", std::string("GIF87a\x20\0\x10\0", 10));
  DiskFileReader files(folder_);
  EXPECT_GT(files.FileDate("screen.gif"), 0);
  EXPECT_EQ(files.ImageSize("screen.gif")->width, 32);
  EXPECT_EQ(files.FileDate("missing.gif"), 0);
  EXPECT_EQ(files.FileDate(""), 0) << "a record without a file is not its folder";
  EXPECT_EQ(files.ImageSize("missing.gif"), std::nullopt);
  EXPECT_EQ(DiskFileReader().ImageSize("screen.gif"), std::nullopt) << "not beside the program";
}

}  // namespace
}  // namespace vemora
