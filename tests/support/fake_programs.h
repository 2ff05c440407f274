// Stand-ins for the programs the system starts (mail client, paint program), put first on
// PATH for as long as this lives. Each is a small shell script; "$REC" in a script is the
// folder's record file, where stand-ins write what they were given.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/wait_until.h"

namespace vemora::testing {

class FakePrograms {
 public:
  explicit FakePrograms(const std::filesystem::path& folder,
                        const std::string& recordName = "record.txt")
      : bin_(folder / "bin"), record_(folder / recordName) {
    const char* path = std::getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    std::filesystem::create_directories(bin_);
    // The folder of the real tools stays reachable, but only after ours.
    ::setenv("PATH", (bin_.string() + ":" + savedPath_).c_str(), 1);
  }
  ~FakePrograms() { ::setenv("PATH", savedPath_.c_str(), 1); }
  FakePrograms(const FakePrograms&) = delete;
  FakePrograms& operator=(const FakePrograms&) = delete;

  // Adds the program `name` running `body`; returns its path.
  std::filesystem::path Add(const std::string& name, const std::string& body) const {
    const auto path = bin_ / name;
    std::ofstream(path) << "#!/bin/sh\nPATH=/usr/bin:/bin\nREC='" << record_.string() << "'\n"
                        << body << "\n";
    ::chmod(path.c_str(), 0755);
    return path;
  }

  // Only our programs remain on PATH (they still find the basic tools themselves).
  void OnlyOurs() const { ::setenv("PATH", bin_.string().c_str(), 1); }
  // No program at all is on PATH.
  void NoneAtAll() const { ::setenv("PATH", (bin_ / "none").string().c_str(), 1); }

  std::string Record() const {
    std::ifstream in(record_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The record once it holds `text` (or after 20 s): stand-ins may run detached.
  std::string RecordHolding(const std::string& text) const {
    std::string record;
    WaitUntil([&] { return (record = Record()).find(text) != std::string::npos; });
    return record;
  }

 private:
  std::filesystem::path bin_;
  std::filesystem::path record_;
  std::string savedPath_;
};

}  // namespace vemora::testing
