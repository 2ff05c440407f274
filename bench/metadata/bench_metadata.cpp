// Files per second of the metadata reader against libexiv2, same files, same process, same run.
//
//   bench_metadata [ROUNDS] [TESTDATA]
//
// Reads every file of images/exif and bench/ ROUNDS times (default 20) with each reader and
// prints the throughputs and their ratios.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "metadata/img_data.h"

namespace {

namespace fs = std::filesystem;

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

using Reader = std::function<std::size_t(const std::string&)>;

// Processor seconds per reader for `rounds` passes over `files`. The build machine is shared,
// so processor time (user and system, std::clock) is measured rather than wall time, and the
// readers take turns within each round so that cache and load effects hit all of them alike.
std::vector<double> Time(const std::vector<std::string>& files, int rounds,
                         const std::vector<Reader>& readers, std::size_t& sink) {
  std::vector<double> seconds(readers.size(), 0.0);
  for (const Reader& read : readers) {
    for (const auto& file : files) sink += read(file);  // warm-up: page cache, first touches
  }
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t r = 0; r < readers.size(); ++r) {
      const std::clock_t start = std::clock();
      for (const auto& file : files) sink += readers[r](file);
      seconds[r] += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
  }
  return seconds;
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
  const std::vector<Reader> readers = {[](const std::string& f) { return ReadOurs(f, 255); },
                                       [](const std::string& f) { return ReadOurs(f, 0); },
                                       ReadExiv2};
  const auto seconds = Time(files, rounds, readers, sink);
  const double full = seconds[0], header = seconds[1], exiv2 = seconds[2];

  const double n = static_cast<double>(files.size()) * rounds;
  std::printf("%zu files x %d rounds (checksum %zu)\n", files.size(), rounds, sink);
  std::printf("%-34s %12.0f files per CPU second\n", "vemora, all tags (BuildList 255)", n / full);
  std::printf("%-34s %12.0f files per CPU second\n", "vemora, header only (BuildList 0)",
              n / header);
  std::printf("%-34s %12.0f files per CPU second\n", "libexiv2 readMetadata", n / exiv2);
  std::printf("ratio all tags / exiv2:    %.1fx\n", exiv2 / full);
  std::printf("ratio header only / exiv2: %.1fx\n", exiv2 / header);
  return 0;
}
