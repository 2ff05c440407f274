// Whole files in and out, as the catalogue reads image files and writes exports. Errors
// are German, as the window shows them, and name the file.
#pragma once

#include <string>

namespace vemora::platform {

// The file's bytes, one per char. Throws std::runtime_error when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Creates or overwrites the file. Throws std::runtime_error when it cannot be written.
void WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace vemora::platform
