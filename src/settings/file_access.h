// Whole-file reads and atomic whole-file replacement for the settings store.
//
// The ini files are small and rewritten on every change, so a write goes to a temporary
// file beside the target and is renamed over it: a reader (another TIniPlus, another
// process) sees the old file or the new one, never half of one. POSIX calls, and the
// wide-character API on Windows (file_access_windows.cpp).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vemora {

// The file's bytes, or nullopt when there is no file at `path` (or a component of its
// folder is missing or not a folder). Other failures throw IniFileError naming the file.
std::optional<std::string> ReadFileIfExists(const std::filesystem::path& path);

// Replaces (or creates) the file at `path` with `bytes`. An existing file keeps its
// permissions; a symbolic link keeps pointing at the file it names, which is rewritten.
// Throws IniFileError naming the file when anything fails; the old file is then intact.
void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vemora
