// Sample photographs for the demo catalogue, drawn here so that the demo needs nothing but
// a fresh clone: soft landscapes, sunsets and patterns as JPEG files.
#pragma once

#include <filesystem>
#include <vector>

namespace vemora::demo {

// Writes `count` JPEG files into `folder` (created when missing) and returns their paths.
// Files that already exist are kept.
std::vector<std::filesystem::path> WriteSampleImages(const std::filesystem::path& folder,
                                                     int count);

}  // namespace vemora::demo
