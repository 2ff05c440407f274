// Two processes add images to one catalogue at the same time, each through the dispatcher.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "gateways/gateway_engines.h"
#include "gateways/two_hosts_images.h"

extern char** environ;

namespace vemora::testing {
namespace {

constexpr int kImagesPerHost = 200;

class TwoHostsTest : public GatewayEngineTest {
 protected:
  void SetUp() override {
    GatewayEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    folder_ = std::filesystem::temp_directory_path() /
              ("vemora_two_hosts_" + std::to_string(::getpid()) + "_" + GetParam());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
    GatewayEngineTest::TearDown();
  }

  pid_t StartHost(int host) {
    const std::string address = catalogue().Address();
    const std::string hostText = std::to_string(host);
    const std::string count = std::to_string(kImagesPerHost);
    const std::string go = (folder_ / "go").string();
    const std::string keys = KeysFile(host).string();
    const char* argv[] = {VEMORA_TWO_HOSTS_WORKER,
                          address.c_str(),
                          hostText.c_str(),
                          count.c_str(),
                          go.c_str(),
                          keys.c_str(),
                          nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, VEMORA_TWO_HOSTS_WORKER, nullptr, nullptr,
                               const_cast<char**>(argv), environ);
    EXPECT_EQ(rc, 0) << "cannot start " << VEMORA_TWO_HOSTS_WORKER;
    return rc == 0 ? pid : -1;
  }

  std::filesystem::path KeysFile(int host) const {
    return folder_ / ("keys" + std::to_string(host) + ".txt");
  }

  std::filesystem::path folder_;
};

TEST_P(TwoHostsTest, BothHostsRowsArriveWithDistinctKeysAndIntactBytes) {
  const pid_t first = StartHost(1);
  const pid_t second = StartHost(2);
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  std::ofstream(folder_ / "go").close();
  for (pid_t pid : {first, second}) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "worker failed: " << status;
  }

  // The key each host was handed back for each of its images.
  std::map<std::string, int32_t> returnedKeys;
  for (int host : {1, 2}) {
    std::ifstream keys(KeysFile(host));
    std::string name;
    int32_t key = 0;
    while (keys >> name >> key) returnedKeys[name] = key;
  }
  EXPECT_EQ(returnedKeys.size(), 2u * kImagesPerHost);

  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_EQ(rows->RecordCount(), 2 * kImagesPerHost);
  std::set<int32_t> keys;
  int checked = 0;
  for (; !rows->Eof(); rows->Next()) {
    const std::string name = rows->FieldByName("Name").AsString();
    const int32_t key = rows->FieldByName("BildCtr2").AsInteger();
    keys.insert(key);
    // The provisional-key lookup found this host's own row: the key it returned is the row's.
    EXPECT_EQ(returnedKeys[name], key) << name;
    const int host = name[4] - '0';
    const int index = std::stoi(name.substr(6));
    EXPECT_EQ(rows->FieldByName("Bild").AsString(), TwoHostsImageBytes(host, index)) << name;
    ++checked;
  }
  rows->Close();
  EXPECT_EQ(checked, 2 * kImagesPerHost);
  EXPECT_EQ(keys.size(), 2u * kImagesPerHost);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(TwoHostsTest);

}  // namespace
}  // namespace vemora::testing
