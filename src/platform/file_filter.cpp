#include "platform/file_filter.h"

namespace vemora::platform {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
  const std::vector<std::string> fields = Split(filter, '|');
  std::vector<FileFilter> filters;
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    FileFilter entry{fields[i], {}};
    for (std::string& pattern : Split(fields[i + 1], ';'))
      if (!pattern.empty()) entry.patterns.push_back(std::move(pattern));
    filters.push_back(std::move(entry));
  }
  return filters;
}

}  // namespace vemora::platform
