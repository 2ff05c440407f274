// Files per second of the metadata reader against libexiv2, same files, same process, same run.
//
//   bench_metadata [ROUNDS] [TESTDATA]
//
// Reads every file of images/exif and bench/ ROUNDS times (default 20) with each reader and
// prints the throughputs and their ratios, in two orders: each file ROUNDS times in a row (its
// bytes stay in the processor caches), and ROUNDS passes over the whole set (each read finds
// the caches full of other files, as in a catalogue that reads many files once).

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

// Processor seconds per reader. The build machine is shared, so processor time (user and
// system, std::clock) is measured rather than wall time, and the readers take turns so that
// cache and load effects hit all of them alike.
std::vector<double> Time(const std::vector<std::string>& files, int rounds,
                         const std::vector<Reader>& readers, bool fileByFile, std::size_t& sink) {
  std::vector<double> seconds(readers.size(), 0.0);
  for (const Reader& read : readers) {
    for (const auto& file : files) sink += read(file);  // warm-up: page cache, first touches
  }
  const auto run = [&](std::size_t r, const std::string* one, int repeat) {
    const std::clock_t start = std::clock();
    for (int i = 0; i < repeat; ++i) {
      if (one != nullptr) {
        sink += readers[r](*one);
      } else {
        for (const auto& file : files) sink += readers[r](file);
      }
    }
    seconds[r] += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  };
  if (fileByFile) {
    for (const auto& file : files) {
      for (std::size_t r = 0; r < readers.size(); ++r) run(r, &file, rounds);
    }
  } else {
    for (int round = 0; round < rounds; ++round) {
      for (std::size_t r = 0; r < readers.size(); ++r) run(r, nullptr, 1);
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
  const double n = static_cast<double>(files.size()) * rounds;
  std::printf("%zu files x %d reads each, files per processor second\n", files.size(), rounds);
  for (const bool fileByFile : {true, false}) {
    const auto seconds = Time(files, rounds, readers, fileByFile, sink);
    std::printf("\n%s\n", fileByFile ? "each file read repeatedly (warm caches):"
                                     : "passes over the whole set (caches hold other files):");
    std::printf("  %-36s %10.0f\n", "vemora, all tags (BuildList 255)", n / seconds[0]);
    std::printf("  %-36s %10.0f\n", "vemora, header fields (BuildList 0)", n / seconds[1]);
    std::printf("  %-36s %10.0f\n", "libexiv2 readMetadata", n / seconds[2]);
    std::printf("  ratio to exiv2: all tags %.1fx, header fields %.1fx\n", seconds[2] / seconds[0],
                seconds[2] / seconds[1]);
  }
  std::printf("(checksum %zu)\n", sink);
  return 0;
}
