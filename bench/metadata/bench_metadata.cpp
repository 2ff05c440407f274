// Files per second of the metadata reader against libexiv2, same files, same process, same run.
//
//   bench_metadata [ROUNDS] [TESTDATA]
//
// Reads every file of images/exif and bench/ ROUNDS times (default 20) with each reader and
// prints both throughputs and their ratio. Each reader gets a warm-up round first so that
// both work from the page cache.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "metadata/img_data.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<std::string> CollectFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (const char* folder : {"images/exif", "bench"}) {
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder, error)) {
      if (!entry.is_regular_file()) continue;
      const fs::path& path = entry.path();
      if (vemora::metadata::IsJpegExtension(path) || vemora::metadata::IsTiffExtension(path)) {
        files.push_back(path.string());
      }
    }
  }
  return files;
}

// Returns seconds for `rounds` passes over `files`; `sink` keeps the work observable.
double Time(const std::vector<std::string>& files, int rounds,
            const std::function<std::size_t(const std::string&)>& read, std::size_t& sink) {
  for (const auto& file : files) sink += read(file);
  const auto start = Clock::now();
  for (int round = 0; round < rounds; ++round) {
    for (const auto& file : files) sink += read(file);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::size_t ReadOurs(const std::string& file, int buildList) {
  vemora::metadata::TimgData data;
  data.BuildList = buildList;
  data.ProcessFile(file);
  std::size_t count = data.ImageInfo ? data.ImageInfo->Tags.size() + data.ImageInfo->Width : 0;
  if (data.IptcData) count += data.IptcData->Tags.size();
  return count;
}

std::size_t ReadExiv2(const std::string& file) {
  try {
    auto image = Exiv2::ImageFactory::open(file);
    image->readMetadata();
    return image->exifData().count() + image->iptcData().count();
  } catch (const std::exception&) {
    return 0;  // files exiv2 refuses (the damaged ones) still count as read
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const fs::path root =
      argc > 2 ? fs::path(argv[2]) : fs::path(VEMORA_SOURCE_DIR) / ".." / "shared" / "testdata";
  const auto files = CollectFiles(root);
  if (files.empty()) {
    std::fprintf(stderr, "bench_metadata: no test files under %s\n", root.string().c_str());
    return 1;
  }
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);

  std::size_t sink = 0;
  const double full = Time(
      files, rounds, [](const std::string& f) { return ReadOurs(f, 255); }, sink);
  const double header = Time(
      files, rounds, [](const std::string& f) { return ReadOurs(f, 0); }, sink);
  const double exiv2 = Time(files, rounds, ReadExiv2, sink);

  const double n = static_cast<double>(files.size()) * rounds;
  std::printf("%zu files x %d rounds (checksum %zu)\n", files.size(), rounds, sink);
  std::printf("%-34s %12.0f files/s\n", "vemora, all tags (BuildList 255)", n / full);
  std::printf("%-34s %12.0f files/s\n", "vemora, header only (BuildList 0)", n / header);
  std::printf("%-34s %12.0f files/s\n", "libexiv2 readMetadata", n / exiv2);
  std::printf("ratio all tags / exiv2:    %.1fx\n", exiv2 / full);
  std::printf("ratio header only / exiv2: %.1fx\n", exiv2 / header);
  return 0;
}
