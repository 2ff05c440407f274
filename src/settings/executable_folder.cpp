#include "settings/executable_folder.h"

#include <system_error>

#include "settings/settings_errors.h"

namespace vemora {

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    throw IniFileError("cannot find the folder of the running program: " + error.message());
  }
  return executable.parent_path();
}

}  // namespace vemora
