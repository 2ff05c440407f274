#include "settings/executable_folder.h"

#include <system_error>

#include "settings/settings_errors.h"

#if defined(_WIN32)
#include <windows.h>

#include <vector>
#endif

namespace vemora {

#if defined(_WIN32)
std::filesystem::path ExecutableFolder() {
  // The name may be longer than MAX_PATH; grow until it fits.
  std::vector<wchar_t> name(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      throw IniFileError("cannot find the folder of the running program: Windows error " +
                         std::to_string(::GetLastError()));
    }
    if (length < name.size())
      return std::filesystem::path(name.data(), name.data() + length).parent_path();
    name.resize(name.size() * 2);
  }
}
#else
std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    throw IniFileError("cannot find the folder of the running program: " + error.message());
  }
  return executable.parent_path();
}
#endif

}  // namespace vemora
