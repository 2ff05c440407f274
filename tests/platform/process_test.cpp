// Starting programs with argument lists, waiting in slices, leaving a program running, and
// splitting a parameter text the way a shell does.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <fstream>

#include "platform/file_times.h"
#include "platform/process.h"
#include "support/temp_folder.h"

namespace vemora::platform {
namespace {

class ProcessTest : public testing::TempFolderTest {
 protected:
  // A shell script that runs `body`; "$REC" is the record file beside it.
  std::filesystem::path Script(const std::string& name, const std::string& body) const {
    const auto path = folder_ / name;
    std::ofstream(path) << "#!/bin/sh\nREC='" << PathOf("record.txt") << "'\n" << body << "\n";
    ::chmod(path.c_str(), 0755);
    return path;
  }
};

TEST_F(ProcessTest, ArgumentsArriveUnsplitAndTheFolderIsTheWorkingFolder) {
  const auto program =
      Script("rec", "pwd > \"$REC\"; for a in \"$@\"; do echo \"[$a]\" >> \"$REC\"; done");
  std::filesystem::create_directories(folder_ / "work");
  int error = -1;
  auto child = ChildProcess::Start(program, {"a b", "\"c\"", ""}, folder_ / "work", error);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(child->WaitFor(std::chrono::seconds(20)));
  EXPECT_EQ(FileBytes("record.txt"), PathOf("work") + "\n[a b]\n[\"c\"]\n[]\n");

  std::filesystem::remove(PathOf("record.txt"));
  EXPECT_EQ(StartDetached(program, {"x y"}), 0);
  for (int i = 0; i < 4000 && FileBytes("record.txt").find("[x y]\n") == std::string::npos; ++i) {
    ::usleep(5000);
  }
  EXPECT_NE(FileBytes("record.txt").find("[x y]\n"), std::string::npos);
}

TEST_F(ProcessTest, MissingOrNotExecutableProgramIsReportedNotStarted) {
  PutFile("plain", "#!/bin/sh\n");
  for (const auto& program : {folder_ / "absent", folder_ / "plain"}) {
    int error = 0;
    EXPECT_EQ(ChildProcess::Start(program, {}, {}, error), nullptr) << program;
    EXPECT_NE(error, 0) << program;
    EXPECT_NE(StartDetached(program, {}), 0) << program;
  }
}

TEST_F(ProcessTest, WaitingInSlicesSeesTheEndAndDroppingLeavesTheProgramRunning) {
  const auto program = Script("sleeper", "echo $$ > \"$REC\"; exec sleep 30");
  int error = 0;
  auto child = ChildProcess::Start(program, {}, {}, error);
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->WaitFor(std::chrono::milliseconds(100)));
  EXPECT_FALSE(child->Ended());
  const pid_t pid = child->Id();
  child.reset();
  EXPECT_EQ(::kill(pid, 0), 0) << "dropping the handle must not stop the program";
  ::kill(pid, SIGTERM);

  auto quick = ChildProcess::Start(Script("quick", "exit 3"), {}, {}, error);
  ASSERT_NE(quick, nullptr);
  EXPECT_TRUE(quick->WaitFor(std::chrono::seconds(20)));
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

}  // namespace
}  // namespace vemora::platform
