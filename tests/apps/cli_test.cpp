// The `vemora` tool as a shell script uses it: outputs, exit statuses, and no half-written
// files after a failure.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "codec/decode.h"
#include "codec/image_file.h"
#include "support/pictures.h"

namespace vemora {
namespace {

struct ToolRun {
  int status;
  std::string output;  // stdout and stderr together
};

ToolRun Vemora(const std::string& arguments) {
  const std::string command = std::string(VEMORA_CLI) + " " + arguments + " 2>&1";
  ToolRun run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
    run.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class CliTest : public ::testing::Test {
 protected:
  CliTest()
      : folder(std::filesystem::temp_directory_path() /
               ("vemora_cli_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "photo.jpg", std::ios::binary) << testing::TestJpeg(640, 480);
  }
  ~CliTest() override { std::filesystem::remove_all(folder); }

  std::string Path(const std::string& name) const { return "'" + (folder / name).string() + "'"; }
  codec::ImageInfo Info(const std::string& name) const {
    return codec::ReadImageInfo(codec::ReadFileBytes(folder / name));
  }

  std::filesystem::path folder;
};

TEST_F(CliTest, PreviewConvertAndScaleWriteWhatTheirNamesSay) {
  ASSERT_EQ(Vemora("preview " + Path("photo.jpg") + " " + Path("preview.jpg")).status, 0);
  EXPECT_EQ(Info("preview.jpg").width, 133);
  EXPECT_EQ(Info("preview.jpg").height, 100);

  ASSERT_EQ(Vemora("convert " + Path("photo.jpg") + " " + Path("copy.BMP")).status, 0);
  EXPECT_EQ(codec::ReadFileBytes(folder / "copy.BMP")[0], 'B');
  ASSERT_EQ(Vemora("convert " + Path("copy.BMP") + " " + Path("copy.tif")).status, 0);
  EXPECT_EQ(Info("copy.tif").width, 640);

  ASSERT_EQ(Vemora("scale --width 320 --height 320 --filter Lanczos3 " + Path("photo.jpg") + " " +
                   Path("small.jpg"))
                .status,
            0);
  EXPECT_EQ(Info("small.jpg").width, 320);
  EXPECT_EQ(Info("small.jpg").height, 240);
}

TEST_F(CliTest, BadInputIsOneLineNamingTheFileAndLeavesNoOutput) {
  std::ofstream(folder / "broken.jpg", std::ios::binary) << "\xFF\xD8\xFF\xE0 broken";
  for (const std::string command : {"preview", "convert"}) {
    const ToolRun run = Vemora(command + " " + Path("broken.jpg") + " " + Path("out.bmp"));
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_NE(run.output.find("broken.jpg"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp")) << command;
  }
  const ToolRun missing = Vemora("convert " + Path("missing.jpg") + " " + Path("out.bmp"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("missing.jpg"), std::string::npos);
  const ToolRun format = Vemora("convert " + Path("photo.jpg") + " " + Path("out.png"));
  EXPECT_EQ(format.status, 1);
  EXPECT_NE(format.output.find("out.png"), std::string::npos);
  EXPECT_EQ(Vemora("nonsense").status, 2);
}

TEST_F(CliTest, ExifJsonIsOneObjectPerFile) {
  const ToolRun run = Vemora("exif --json " + Path("photo.jpg") + " " + Path("photo.jpg"));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 2) << run.output;
  EXPECT_TRUE(run.output.starts_with("{")) << run.output;
}

}  // namespace
}  // namespace vemora
