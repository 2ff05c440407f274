// Sample photographs for the demo catalogue, drawn here so that the demo needs nothing but
// a fresh clone: soft landscapes, sunsets and patterns as JPEG files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vemora::demo {

struct SampleImage {
  std::filesystem::path path;
  std::string description;
  std::string keywords;
};

// Writes `count` JPEG files into `folder` (created when missing) and returns them with a
// description and keywords each. Files that already exist are kept.
std::vector<SampleImage> WriteSampleImages(const std::filesystem::path& folder, int count);

}  // namespace vemora::demo
