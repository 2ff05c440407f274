// The one crossing between our UTF-8 path texts and std::filesystem::path.
//
// The core keeps every path as UTF-8 text. A std::filesystem::path built from a plain
// std::string, and fopen or an fstream given one, read it in the ANSI code page on Windows,
// which garbles any name outside it ("Grüße.bin"); going through char8_t reads UTF-8 on
// every system. Whoever opens, tests or builds a file name from a text goes through here.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace vemora::platform {

std::filesystem::path PathFromUtf8(std::string_view text);

std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen for a UTF-8 name (_wfopen on Windows).
std::FILE* OpenFile(const std::string& path, const char* mode);

}  // namespace vemora::platform
