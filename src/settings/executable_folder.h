// The folder of the running executable, where a settings file named without a folder
// lives. Its own unit because every platform finds it differently.
#pragma once

#include <filesystem>

namespace vemora {

// Linux: the folder of /proc/self/exe; Windows: of the process's executable module. Throws
// IniFileError when it cannot be found.
std::filesystem::path ExecutableFolder();

}  // namespace vemora
