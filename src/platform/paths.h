// Path texts as the catalogue stores and shows them.
//
// The catalogue keeps folders as text that ends with a separator and splits full paths
// into folder and file name at the last separator. On Windows that is "\", "/" or ":";
// elsewhere "/" only.
#pragma once

#include <string>
#include <string_view>

namespace vemora::platform {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
inline constexpr std::string_view kPathSeparators = "\\/:";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kPathSeparators = "/";
#endif

// The folder with one separator at its end (an empty folder stays empty).
std::string WithTrailingSeparator(std::string folder);

// The text after the last separator (the whole text when there is none).
std::string FileNamePart(std::string_view path);

// The text up to and including the last separator ("" when there is none).
std::string FolderPart(std::string_view path);

}  // namespace vemora::platform
