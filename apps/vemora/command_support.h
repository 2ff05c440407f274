// What the subcommands share: recognising a help request, reporting a failure as one line
// naming the file, and the image format an output file's extension asks for.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/image_kind.h"

namespace vemora::cli {

// True for a lone "--help" or "-h".
bool IsHelpRequest(const std::vector<std::string>& args);

// For commands with a fixed number of arguments: prints the help to stdout on a help
// request (status 0) or to stderr on a wrong count (status 2) and returns the status;
// nothing when the arguments are fine.
std::optional<int> HandleUsage(const std::vector<std::string>& args, size_t count,
                               const char* help);

// Prints "vemora COMMAND: FILE: REASON" to stderr; returns the exit status 1.
int Fail(std::string_view command, const std::string& file, const std::string& reason);

// Bmp for .bmp, Jpeg for .jpg/.jpeg, Tiff for .tif/.tiff (any case), else Unknown.
codec::ImageKind KindByExtension(const std::filesystem::path& path);

}  // namespace vemora::cli
