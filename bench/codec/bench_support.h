// Timing helpers shared by the codec benchmarks: run a step or a shell command a few times
// and keep the fastest run, which is the least disturbed by the other work on the machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace vemora::bench {

inline std::filesystem::path BenchPhotoDir() {
  if (const char* dir = std::getenv("VEMORA_TESTDATA")) {
    return std::filesystem::path(dir) / "bench";
  }
  return std::filesystem::path(VEMORA_SOURCE_DIR) / ".." / "shared" / "testdata" / "bench";
}

inline std::vector<std::filesystem::path> BenchPhotos() {
  std::vector<std::filesystem::path> photos;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(BenchPhotoDir(), error)) {
    if (entry.path().extension() == ".JPG" || entry.path().extension() == ".jpg") {
      photos.push_back(entry.path());
    }
  }
  std::sort(photos.begin(), photos.end());
  return photos;
}

// The bench photos; a run without them stops here with a message.
inline std::vector<std::filesystem::path> RequireBenchPhotos() {
  auto photos = BenchPhotos();
  if (photos.empty()) {
    std::fprintf(stderr, "no photos in %s\n", BenchPhotoDir().string().c_str());
    std::exit(1);
  }
  return photos;
}

// A fresh folder for one benchmark's files, named after it and the process.
inline std::filesystem::path ScratchFolder(const std::string& name) {
  std::string leaf = "vemora_bench_";
  leaf.append(name).append("_").append(std::to_string(::getpid()));
  const auto folder = std::filesystem::temp_directory_path() / leaf;
  std::filesystem::create_directories(folder);
  return folder;
}

// Fastest of `runs` timings of `step`, in milliseconds.
inline double BestMs(int runs, const std::function<void()>& step) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// Built with append: g++ 12 at -O3 warns falsely (-Wrestrict) about "'" + string + "'".
inline std::string Quote(const std::filesystem::path& path) {
  std::string quoted = "'";
  quoted.append(path.string()).append("'");
  return quoted;
}

// Runs a shell command; a failing peer makes the whole comparison meaningless.
inline void RunCommand(const std::string& command) {
  if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

inline bool HaveTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace vemora::bench
