// The `vemora` tool as a shell script uses it: outputs, exit statuses, and no half-written
// files after a failure.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "codec/decode.h"
#include "codec/image_file.h"
#include "support/pictures.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

using testing::ToolRun;

class CliTest : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    PutFile("photo.jpg", testing::TestJpeg(640, 480));
  }

  ToolRun Vemora(const std::string& arguments) const {
    return testing::RunTool("cd " + testing::Quoted(folder_) + " && timeout 60 " +
                            std::string(VEMORA_CLI) + " " + arguments + " 2>&1");
  }
  codec::ImageInfo Info(const std::string& name) const {
    return codec::ReadImageInfo(codec::ReadFileBytes(folder_ / name));
  }
};

TEST_F(CliTest, PreviewConvertAndScaleWriteWhatTheirNamesSay) {
  ASSERT_EQ(Vemora("preview photo.jpg preview.jpg").status, 0);
  EXPECT_EQ(Info("preview.jpg").width, 133);
  EXPECT_EQ(Info("preview.jpg").height, 100);

  ASSERT_EQ(Vemora("convert photo.jpg copy.BMP").status, 0);
  EXPECT_EQ(codec::ReadFileBytes(folder_ / "copy.BMP")[0], 'B');
  ASSERT_EQ(Vemora("convert copy.BMP copy.tif").status, 0);
  EXPECT_EQ(Info("copy.tif").width, 640);

  ASSERT_EQ(Vemora("scale --width 320 --height 320 --filter Lanczos3 photo.jpg small.jpg").status,
            0);
  EXPECT_EQ(Info("small.jpg").width, 320);
  EXPECT_EQ(Info("small.jpg").height, 240);
}

// Bad input and file-system surprises: exit status 1 (2 for a bad command line) and one
// line naming the file and what is wrong with it, and no output file left behind. A file
// the reader fails on does not keep the next one from being printed.
TEST_F(CliTest, BadInputIsOneLineNamingTheFileAndLeavesNoOutput) {
  std::ofstream(folder_ / "broken.jpg", std::ios::binary) << "\xFF\xD8\xFF\xE0 broken";
  ASSERT_EQ(::mkfifo((folder_ / "x.jpg").c_str(), 0600), 0);  // refused, not waited on
  std::filesystem::create_directory(folder_ / "ordner.jpg");
  std::filesystem::create_directory(folder_ / "ziel.bmp");
  std::filesystem::copy_file(
      std::filesystem::path(VEMORA_SOURCE_DIR) / "tests/apps/hostile/exif_header_only.jpg",
      folder_ / "bad.jpg");
  const struct {
    std::string arguments;
    int status;
    const char* fragment;  // "" when the output is two JSON lines
  } cases[] = {
      {"preview broken.jpg out.bmp", 1, "broken.jpg"},
      {"convert missing.jpg out.bmp", 1, "missing.jpg"},
      {"convert photo.jpg out.png", 1, "out.png"},
      {"preview x.jpg out.bmp", 1, "x.jpg: not a regular file"},
      {"scale --width 10 --height 10 ordner.jpg out.bmp", 1, "ordner.jpg: is a folder, not a file"},
      {"exif ordner.jpg", 1, "ordner.jpg: is a folder, not a file"},
      {"convert photo.jpg ziel.bmp", 1, "ziel.bmp: is a folder, not a file"},
      {"exif fehlt.jpg", 1, "fehlt.jpg: no such file"},
      {"nonsense", 2, ""},
      {"exif --json photo.jpg photo.jpg", 0, ""},
      {"exif --json bad.jpg photo.jpg", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ToolRun run = Vemora(c.arguments);
    EXPECT_EQ(run.status, c.status) << run.output;
    if (c.status == 0) {
      EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 2) << run.output;
      EXPECT_TRUE(run.output.starts_with("{")) << run.output;
    } else if (c.status == 1) {
      EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
      EXPECT_NE(run.output.find(c.fragment), std::string::npos) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out.bmp"));
  }
}

// The hand-made hostile files (tests/apps/hostile, made by make_files.py): each fails at
// once with the file and the real reason, or is handled where the picture is fine. Memory
// and time are measured by scripts/budget-check.py over these and the shared images.
struct HostileCase {
  const char* command;
  const char* file;
  const char* output;  // "" for commands without one
  int status;
  const char* fragment;  // in the output
};

const HostileCase kHostileCases[] = {
    {"exif --json", "exif_header_only.jpg", "", 0, "exif_header_only.jpg"},
    {"exif --json", "canon_custom_functions.jpg", "", 0, "Noise Reduction"},
    {"exif", "notes.txt.jpg", "", 1, "notes.txt.jpg: not a JPEG file"},
    {"preview", "progressive_empty_scans.jpg", "out.jpg", 1,
     "file too small for a picture of 10000 x 10000 pixels"},
    {"convert", "progressive_many_scans.jpg", "out.bmp", 1, "too many progressive scans"},
    {"preview", "rle_sliver_claims_too_much.bmp", "out.jpg", 1, "run-length data too short"},
    {"scale --width 100 --height 100 --interpolate --filter Lanczos3", "rle_sliver.bmp", "out.jpg",
     0, ""},
    {"preview", "wide_sliver.bmp", "out.jpg", 1, "too wide for a preview"},
    {"convert", "tiff_claims_10000_squared.tif", "out.jpg", 1, "file too small for a picture"},
    {"convert", "tiff_claims_10000_squared_turned.tif", "out.jpg", 1,
     "file too small for a picture"},
    {"convert", "icon_png_side_overflows.ico", "out.bmp", 1, "no picture in the icon is readable"},
};

TEST_F(CliTest, HostileFilesFailFastNamingTheFileAndTheReason) {
  const std::filesystem::path hostile =
      std::filesystem::path(VEMORA_SOURCE_DIR) / "tests/apps/hostile";
  for (const HostileCase& c : kHostileCases) {
    SCOPED_TRACE(std::string(c.command) + " " + c.file);
    const std::string output = *c.output != '\0' ? std::string(" ") + c.output : "";
    const ToolRun run =
        Vemora(std::string(c.command) + " '" + (hostile / c.file).string() + "'" + output);
    EXPECT_EQ(run.status, c.status) << run.output;
    EXPECT_NE(run.output.find(c.fragment), std::string::npos) << run.output;
    if (c.status != 0) {
      EXPECT_NE(run.output.find(c.file), std::string::npos) << run.output;
    }
    // A reader that multiplies shared values into tags would print megabytes here.
    EXPECT_LT(run.output.size(), 64u << 10);
  }
}

}  // namespace
}  // namespace vemora
