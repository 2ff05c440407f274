#include "host/selection_file.h"

#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/file_io.h"
#include "platform/utf8_path.h"

namespace vemora {

void WriteSelectionFile(const std::string& path, const std::vector<int32_t>& keys) {
  std::string content;
  for (const int32_t key : keys) content += std::to_string(key) + "\r\n";
  platform::WriteWholeFile(path, content);
}

std::set<std::string> ReadSelectionFile(const std::string& path) {
  std::ifstream in(platform::PathFromUtf8(path), std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  // Keys are plain digits, so a UTF-16 file reads as its low (LE) or high (BE) bytes.
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    const size_t low = text[0] == '\xFF' ? 0 : 1;
    std::string narrow;
    for (size_t i = 2 + low; i < text.size(); i += 2) narrow += text[i];
    text = std::move(narrow);
  } else if (text.starts_with("\xEF\xBB\xBF")) {
    text.erase(0, 3);
  }
  std::string_view content = text;
  std::set<std::string> lines;
  while (!content.empty()) {
    const size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace(line);
    if (end == std::string_view::npos) break;
    content.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace vemora
