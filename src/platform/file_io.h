// Whole files in and out, as the catalogue reads image files and writes exports, and the
// few other file services the commands need. Errors are German, as the window shows them,
// and name the file.
#pragma once

#include <string>

namespace vemora::platform {

// The file's bytes, one per char. Throws std::runtime_error when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Creates or replaces the file. The bytes are written under a temporary name beside it and
// renamed over it when complete, so a failure leaves the old file (or none) and no partial
// one. Throws std::runtime_error when it cannot be written.
void WriteWholeFile(const std::string& path, const std::string& bytes);

// Moves a file to a new name in the same file system; false, with nothing changed, when
// the target exists, the source is missing or the name is not allowed.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

// The user's home folder: where a choice of folder starts when the remembered one is gone.
std::string HomeFolder();

}  // namespace vemora::platform
