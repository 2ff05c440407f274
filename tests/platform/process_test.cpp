// Starting programs with argument lists, splitting a parameter text the way a shell does, and
// opening files and help pages through the desktop's handler (a recording xdg-open stand-in).
// Waiting, cancelling and detached starts are exercised through the editor hand-off and
// "Externe Anwendung" (tests/fileops/editor_handoff_test.cpp).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <fstream>

#include "platform/desktop.h"
#include "platform/file_times.h"
#include "platform/process.h"
#include "support/fake_xdg_open.h"
#include "support/temp_folder.h"

namespace vemora::platform {
namespace {

using ProcessTest = testing::TempFolderTest;

TEST_F(ProcessTest, ArgumentsArriveUnsplitAndMissingProgramsAreReported) {
  const auto program = folder_ / "rec";
  std::ofstream(program) << "#!/bin/sh\npwd > '" << PathOf("record.txt") << "'\n"
                         << "for a in \"$@\"; do echo \"[$a]\" >> '" << PathOf("record.txt")
                         << "'; done\n";
  ::chmod(program.c_str(), 0755);
  std::filesystem::create_directories(folder_ / "work");
  int error = -1;
  auto child = ChildProcess::Start(program, {"a b", "\"c\"", ""}, folder_ / "work", error);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(child->WaitFor(std::chrono::seconds(20)));
  EXPECT_EQ(FileBytes("record.txt"), PathOf("work") + "\n[a b]\n[\"c\"]\n[]\n");

  PutFile("plain", "#!/bin/sh\n");
  for (const auto& program : {folder_ / "absent", folder_ / "plain"}) {
    int error = 0;
    EXPECT_EQ(ChildProcess::Start(program, {}, {}, error), nullptr) << program;
    EXPECT_NE(error, 0) << program;
    EXPECT_NE(StartDetached(program, {}), 0) << program;
  }
}

TEST(SplitLikeShell, QuotesAndEscapesAsAShellReadsThem) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"", {}},
      {"  -a   -b\t", {"-a", "-b"}},
      {"--file \"/tmp/mein bild.jpg\"", {"--file", "/tmp/mein bild.jpg"}},
      {"'it''s' \"a\\\"b\" c\\ d", {"its", "a\"b", "c d"}},
      {"\"\" x", {"", "x"}},
      {"'$HOME' \"\\n\"", {"$HOME", "\\n"}},
      {"pre\"mid dle\"post", {"premid dlepost"}},
  };
  for (const auto& [text, words] : cases) EXPECT_EQ(SplitLikeShell(text), words) << text;
}

TEST_F(ProcessTest, WritesInOneTwoSecondSlotLookTheSame) {
  PutFile("f", "x");
  EXPECT_FALSE(LastWriteTwoSecondSlot(PathOf("missing")));
  const auto setTime = [&](time_t seconds) {
    const utimbuf times{seconds, seconds};
    ::utime(PathOf("f").c_str(), &times);
    return *LastWriteTwoSecondSlot(PathOf("f"));
  };
  EXPECT_EQ(setTime(1'700'000'000), setTime(1'700'000'001));
  EXPECT_NE(setTime(1'700'000'001), setTime(1'700'000'002));
}

using DesktopTest = testing::TempFolderTest;

TEST_F(DesktopTest, EachTopicOpensItsPageOfTheShippedHelp) {
  const testing::FakeXdgOpen handler(folder_);
  const std::filesystem::path help = std::filesystem::path(VEMORA_SOURCE_DIR) / "help";
  std::string expected;
  int count = 0;
  for (const auto& [topic, page] : {std::pair{3001, "hauptfenster.html"},
                                    {3003, "suchen.html"},
                                    {3004, "einstellungen.html"},
                                    {42, "index.html"}}) {
    OpenHelpTopic(topic, help);
    expected += (help / page).string() + "\n";
    EXPECT_EQ(handler.Opened(++count), expected) << topic;
  }
  OpenWithDesktop("https://example.org/a b");
  EXPECT_EQ(handler.Opened(++count), expected + "https://example.org/a b\n");
}

TEST_F(DesktopTest, MissingPageOrHandlerGivesAGermanMessage) {
  const testing::FakeXdgOpen handler(folder_);
  try {
    OpenHelpTopic(3004, folder_);
    FAIL() << "no page, yet opened";
  } catch (const DesktopError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Die Hilfe kann nicht angezeigt werden: Die Hilfedatei \"" +
                  PathOf("einstellungen.html") + "\" wurde nicht gefunden.");
  }
  handler.HideAll();
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
