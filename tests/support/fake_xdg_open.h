// A recording stand-in for xdg-open, put first on PATH for as long as it lives: every call
// appends its argument as one line to a record file in the given folder.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/wait_until.h"

namespace vemora::testing {

class FakeXdgOpen {
 public:
  explicit FakeXdgOpen(const std::filesystem::path& folder) : record_(folder / "opened.txt") {
    const char* path = std::getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    const auto bin = folder / "bin";
    std::filesystem::create_directories(bin);
    std::ofstream(bin / "xdg-open")
        << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << record_.string() << "'\n";
    ::chmod((bin / "xdg-open").c_str(), 0755);
    ::setenv("PATH", (bin.string() + ":" + savedPath_).c_str(), 1);
  }
  ~FakeXdgOpen() { ::setenv("PATH", savedPath_.c_str(), 1); }
  FakeXdgOpen(const FakeXdgOpen&) = delete;
  FakeXdgOpen& operator=(const FakeXdgOpen&) = delete;

  // Leaves no xdg-open on PATH at all (until destruction).
  void HideAll() const { ::setenv("PATH", (record_.parent_path() / "nowhere").c_str(), 1); }

  // The record once it holds `lines` lines (or after 20 s): the handler runs detached.
  std::string Opened(int lines) const {
    std::string record;
    WaitUntil([&] {
      std::ifstream in(record_, std::ios::binary);
      record.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      return std::count(record.begin(), record.end(), '\n') >= lines;
    });
    return record;
  }

 private:
  std::filesystem::path record_;
  std::string savedPath_;
};

}  // namespace vemora::testing
