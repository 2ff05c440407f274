// A fresh folder per test, removed afterwards, with helpers to put and get raw file bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/utf8_path.h"

namespace vemora::testing {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    folder_ = std::filesystem::temp_directory_path() /
              ("vemora-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string PathOf(const std::string& name) const {
    return platform::Utf8FromPath(folder_ / platform::PathFromUtf8(name));
  }

  void PutFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ / platform::PathFromUtf8(name), std::ios::binary) << bytes;
  }

  std::string FileBytes(const std::string& name) const {
    std::ifstream in(folder_ / platform::PathFromUtf8(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path folder_;
};

}  // namespace vemora::testing
