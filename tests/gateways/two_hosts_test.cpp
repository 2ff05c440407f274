// Two processes add images to one catalogue at the same time, each through the dispatcher on
// a connection of its own, as two hosts sharing a catalogue do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "catalogue/dispatcher.h"
#include "gateways/gateway_engines.h"

namespace vemora::testing {
namespace {

constexpr int kImagesPerHost = 200;

// Distinct byte strings that start like a JPEG, contain NULs and vary in size, so a row
// mixed up with another shows at once.
std::string ImageBytes(int host, int index) {
  const size_t size = 2000 + static_cast<size_t>((index * 7919 + host * 104729) % 30000);
  std::string bytes(size, '\0');
  bytes[0] = static_cast<char>(0xFF);
  bytes[1] = static_cast<char>(0xD8);
  unsigned state = static_cast<unsigned>(host * 1000003 + index * 7907 + 1);
  for (size_t i = 2; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>((state >> 16) & 0xFF);
  }
  return bytes;
}

// A host in a child process: waits until `start` is closed, adds its images and writes
// "name key" lines to `out`. Leaves with _exit, so nothing of the parent is torn down twice.
[[noreturn]] void RunHost(const std::string& address, int host, int start, int out) {
  int status = 0;
  try {
    char ignored;
    while (::read(start, &ignored, 1) > 0) {
    }
    auto gateway = ConnectToAddress(address);
    CatalogueSession session;
    session.gateway = gateway.get();
    session.fileColumn = "FILE";
    std::string keys;
    for (int i = 0; i < kImagesPerHost; ++i) {
      TRecDSBilder record;
      record.Name = "host" + std::to_string(host) + "_" + std::to_string(i);
      record.File = record.Name + ".jpg";
      record.Bild = ImageBytes(host, i);
      TRecCmdMDB command;
      command.command = kCmdInsert;
      keys += record.Name + ' ' + std::to_string(RunCmdMDB(session, command, record)) + '\n';
    }
    gateway.reset();
    if (::write(out, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) status = 1;
  } catch (const std::exception& error) {
    std::cerr << "host " << host << ": " << error.what() << std::endl;
    status = 1;
  }
  ::_exit(status);
}

using TwoHostsTest = GatewayEngineTest;

TEST_P(TwoHostsTest, BothHostsRowsArriveWithDistinctKeysAndIntactBytes) {
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  pid_t pids[2];
  int results[2];
  for (int host : {1, 2}) {
    int result[2];
    ASSERT_EQ(::pipe(result), 0);
    pids[host - 1] = ::fork();
    ASSERT_GE(pids[host - 1], 0);
    if (pids[host - 1] == 0) {
      ::close(start[1]);
      ::close(result[0]);
      RunHost(catalogue().Address(), host, start[0], result[1]);
    }
    ::close(result[1]);
    results[host - 1] = result[0];
  }
  ::close(start[1]);  // both hosts start adding now

  // The key each host was handed back for each of its images.
  std::map<std::string, int32_t> returnedKeys;
  for (int i : {0, 1}) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(results[i], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    ::close(results[i]);
    int status = 0;
    ASSERT_EQ(::waitpid(pids[i], &status, 0), pids[i]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "host " << i + 1 << " failed";
    std::istringstream lines(text);
    std::string name;
    int32_t key = 0;
    while (lines >> name >> key) returnedKeys[name] = key;
  }
  ::close(start[0]);
  EXPECT_EQ(returnedKeys.size(), 2u * kImagesPerHost);

  TDBResultSet* rows = gateway().OpenSQL("SELECT * FROM Bilder", 0, 0);
  EXPECT_EQ(rows->RecordCount(), 2 * kImagesPerHost);
  std::set<int32_t> keys;
  for (; !rows->Eof(); rows->Next()) {
    const std::string name = rows->FieldByName("Name").AsString();
    const int32_t key = rows->FieldByName("BildCtr2").AsInteger();
    keys.insert(key);
    // The provisional-key lookup found this host's own row: the key it returned is the row's.
    EXPECT_EQ(returnedKeys[name], key) << name;
    const int host = name[4] - '0';
    const int index = std::stoi(name.substr(6));
    EXPECT_TRUE(rows->FieldByName("Bild").AsString() == ImageBytes(host, index)) << name;
  }
  rows->Close();
  EXPECT_EQ(keys.size(), 2u * kImagesPerHost);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(TwoHostsTest);

}  // namespace
}  // namespace vemora::testing
