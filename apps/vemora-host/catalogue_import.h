// The demo host's own import: image files become catalogue rows through the library's
// insert command, with their previews, so the window opens on a filled catalogue.
#pragma once

#include <filesystem>
#include <string>

#include "vemora/gateway.h"

namespace vemora::demo {

// Adds one file with an optional description and keywords; returns its new key. Throws
// when the file cannot be read.
int32_t ImportFile(TDBGateway& gateway, const std::filesystem::path& file,
                   const std::string& description = "", const std::string& keywords = "");

// Adds every .jpg/.jpeg/.bmp/.tif/.tiff file in the folder, in name order, and copies it
// into the image folder where the catalogue finds it; returns how many.
int ImportFolder(TDBGateway& gateway, const std::filesystem::path& folder,
                 const std::filesystem::path& imageFolder);

int CountRows(TDBGateway& gateway);

}  // namespace vemora::demo
