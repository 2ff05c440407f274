// A path in a folder that names no file yet, so that writing there never replaces anything:
// the stored file name when it is free, else the name with "_2", "_3", ... before its
// extension. Used for the editor hand-off and for mail attachments.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace vemora {

// `folder` ends with a separator or not; `fileName` has no folder part (empty: "Bild").
std::string FreeFilePath(const platform::FileSystem& files, const std::string& folder,
                         const std::string& fileName);

}  // namespace vemora
