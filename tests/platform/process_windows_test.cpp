// Starting programs on Windows: the command line carries every argument back unchanged
// (blanks, quotes, backslashes, names outside the ANSI code page), the working folder is
// the one given, waiting sees the end, dropping the handle leaves the program running, and
// a program on PATH is found without its extension.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "platform/desktop.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "support/temp_folder.h"

namespace vemora::platform {
namespace {

class ProcessWindowsTest : public testing::TempFolderTest {
 protected:
  // test_child.exe sits beside this program.
  static std::filesystem::path Child() {
    wchar_t name[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, name, MAX_PATH);
    return std::filesystem::path(name, name + length).parent_path() / "test_child.exe";
  }
  // The record once it holds `lines` lines (or after 20 s): detached children run on.
  std::string Record(int lines) const {
    std::string record;
    for (int i = 0; i < 4000; ++i) {
      record = FileBytes("record.txt");
      if (std::count(record.begin(), record.end(), '\n') >= lines) break;
      ::Sleep(5);
    }
    return record;
  }
  std::string RecordPath() const { return PathOf("record.txt"); }
};

TEST_F(ProcessWindowsTest, ArgumentsArriveUnchangedInTheGivenWorkingFolder) {
  const std::vector<std::string> arguments = {"a b",           "\"c\"",  "",
                                              "back\\slash\\", "x\\\"y", "Grüße"};
  const std::string expected = "[a b]\n[\"c\"]\n[]\n[back\\slash\\]\n[x\\\"y]\n[Grüße]\n";
  std::filesystem::create_directories(folder_ / "work");
  std::vector<std::string> withRecord = {RecordPath()};
  withRecord.insert(withRecord.end(), arguments.begin(), arguments.end());

  int error = -1;
  auto child = ChildProcess::Start(Child(), withRecord, folder_ / "work", error);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(child->WaitFor(std::chrono::seconds(20)));
  std::string record = FileBytes("record.txt");
  const auto firstLine = record.find('\n');
  ASSERT_NE(firstLine, std::string::npos);
  EXPECT_TRUE(
      std::filesystem::equivalent(PathFromUtf8(record.substr(0, firstLine)), folder_ / "work"));
  EXPECT_EQ(record.substr(firstLine + 1), expected);

  std::filesystem::remove(folder_ / "record.txt");
  EXPECT_EQ(StartDetached(Child(), withRecord), 0);
  EXPECT_EQ(Record(7).substr(Record(7).find('\n') + 1), expected);
}

TEST_F(ProcessWindowsTest, MissingProgramIsReportedNotStarted) {
  int error = 0;
  EXPECT_EQ(ChildProcess::Start(folder_ / "absent.exe", {}, {}, error), nullptr);
  EXPECT_NE(error, 0);
  EXPECT_NE(StartDetached(folder_ / "absent.exe", {}), 0);
}

TEST_F(ProcessWindowsTest, WaitingSeesTheEndAndDroppingLeavesTheProgramRunning) {
  const std::string flag = PathOf("flag");
  int error = 0;
  auto child = ChildProcess::Start(Child(), {RecordPath(), "--until", flag}, {}, error);
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->WaitFor(std::chrono::milliseconds(50)));
  PutFile("flag", "");
  EXPECT_TRUE(child->WaitFor(std::chrono::seconds(20)));
  EXPECT_TRUE(child->Ended());

  std::filesystem::remove(folder_ / "flag");
  std::filesystem::remove(folder_ / "record.txt");
  child = ChildProcess::Start(Child(), {RecordPath(), "--until", flag}, {}, error);
  ASSERT_NE(child, nullptr);
  Record(1);
  child.reset();
  PutFile("flag", "");
  EXPECT_NE(Record(2).find("ended\n"), std::string::npos)
      << "dropping the handle must not stop the program";
}

TEST_F(ProcessWindowsTest, ProgramsOnPathAreFoundWithoutTheirExtension) {
  std::filesystem::create_directories(folder_ / "bin");
  PutFile("bin/werkzeug.exe", "");
  const std::wstring saved = ::_wgetenv(L"PATH") != nullptr ? ::_wgetenv(L"PATH") : L"";
  ::_wputenv_s(L"PATH", (L"C:\\nowhere;" + (folder_ / "bin").wstring()).c_str());
  const auto found = FindOnPath("werkzeug");
  const auto missing = FindOnPath("fehlt");
  ::_wputenv_s(L"PATH", saved.c_str());
  EXPECT_TRUE(std::filesystem::equivalent(found, folder_ / "bin" / "werkzeug.exe"));
  EXPECT_TRUE(missing.empty());
}

}  // namespace
}  // namespace vemora::platform
