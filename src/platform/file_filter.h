// File dialog filters written the Windows way, "Text|*.a;*.b|Text|*.c", read into pairs
// of the shown text and its patterns, for a file dialog that wants them apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemora::platform {

struct FileFilter {
  std::string text;                   // what the dialog shows, e.g. "Bitmaps (*.bmp)"
  std::vector<std::string> patterns;  // e.g. {"*.bmp"}; empty entries dropped
};

std::vector<FileFilter> ParseFileFilter(std::string_view filter);

}  // namespace vemora::platform
