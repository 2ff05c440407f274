// Opening files and help pages through the desktop's handler, with a recording stand-in for
// xdg-open first on PATH.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/desktop.h"
#include "support/temp_folder.h"

namespace vemora::platform {
namespace {

class DesktopTest : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    const char* path = std::getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    // The stand-in appends each argument it gets to a record file.
    std::filesystem::create_directories(folder_ / "bin");
    PutFile("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + PathOf("opened.txt") + "'\n");
    ::chmod(PathOf("bin/xdg-open").c_str(), 0755);
    ::setenv("PATH", (PathOf("bin") + ":" + savedPath_).c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", savedPath_.c_str(), 1);
    TempFolderTest::TearDown();
  }

  // The record once it holds `lines` lines; the stand-in runs detached, so this waits.
  std::string Opened(int lines) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string record;
    while (std::chrono::steady_clock::now() < deadline) {
      record = FileBytes("opened.txt");
      if (std::count(record.begin(), record.end(), '\n') >= lines) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return record;
  }

  std::string savedPath_;
};

TEST_F(DesktopTest, EachTopicOpensItsPageOfTheShippedHelp) {
  const std::filesystem::path help = std::filesystem::path(VEMORA_SOURCE_DIR) / "help";
  std::string expected;
  int count = 0;
  for (const auto& [topic, page] : {std::pair{3001, "hauptfenster.html"},
                                    {3003, "suchen.html"},
                                    {3004, "einstellungen.html"},
                                    {42, "index.html"}}) {
    OpenHelpTopic(topic, help);
    expected += (help / page).string() + "\n";
    EXPECT_EQ(Opened(++count), expected) << topic;
  }
  OpenWithDesktop("https://example.org/a b");
  EXPECT_EQ(Opened(++count), expected + "https://example.org/a b\n");
}

TEST_F(DesktopTest, MissingPageOrHandlerGivesAGermanMessage) {
  try {
    OpenHelpTopic(3004, folder_);
    FAIL() << "no page, yet opened";
  } catch (const DesktopError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Die Hilfe kann nicht angezeigt werden: Die Hilfedatei \"" +
                  PathOf("einstellungen.html") + "\" wurde nicht gefunden.");
  }
  ::setenv("PATH", PathOf("nowhere").c_str(), 1);
  EXPECT_TRUE(FindOnPath("xdg-open").empty());
  try {
    OpenWithDesktop("/tmp/bild.jpg");
    FAIL() << "no handler, yet opened";
  } catch (const DesktopError& error) {
    EXPECT_EQ(std::string(error.what()),
              "\"/tmp/bild.jpg\" kann nicht geöffnet werden: Das Programm xdg-open wurde nicht "
              "gefunden.");
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("opened.txt")));
}

}  // namespace
}  // namespace vemora::platform
