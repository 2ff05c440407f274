#include "platform/desktop.h"

#if !defined(_WIN32)  // the Windows side is desktop_windows.cpp
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/process.h"
#endif

namespace vemora::platform {

#if !defined(_WIN32)
std::filesystem::path FindOnPath(const std::string& name) {
  const char* variable = std::getenv("PATH");
  std::string_view folders = variable != nullptr ? variable : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const auto colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    // An empty entry means the current folder, as the shell reads it.
    const std::filesystem::path candidate =
        std::filesystem::path(folder.empty() ? "." : std::string(folder)) / name;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    if (colon == std::string_view::npos) return {};
    folders.remove_prefix(colon + 1);
  }
}

void OpenWithDesktop(const std::string& target) {
  const std::filesystem::path handler = FindOnPath("xdg-open");
  if (handler.empty()) {
    throw DesktopError(
        "\"" + target +
        "\" kann nicht geöffnet werden: Das Programm xdg-open wurde nicht gefunden.");
  }
  if (const int error = StartDetached(handler, {target}); error != 0) {
    throw DesktopError("\"" + target + "\" kann nicht geöffnet werden: " + handler.string() +
                       " ließ sich nicht starten (" + std::strerror(error) + ").");
  }
}

void ComposeMail(const std::string& subject, const std::vector<std::string>& attachments) {
  const std::filesystem::path client = FindOnPath("xdg-email");
  if (client.empty()) {
    throw DesktopError(
        "Die Nachricht kann nicht an das E-Mail-Programm übergeben werden: Das Programm "
        "xdg-email wurde nicht gefunden (Paket xdg-utils).");
  }
  std::vector<std::string> arguments = {"--subject", subject};
  for (const auto& attachment : attachments) {
    arguments.push_back("--attach");
    arguments.push_back(attachment);
  }
  if (const int error = StartDetached(client, arguments); error != 0) {
    throw DesktopError(
        "Die Nachricht kann nicht an das E-Mail-Programm übergeben werden: " + client.string() +
        " ließ sich nicht starten (" + std::strerror(error) + ").");
  }
}

std::filesystem::path ModuleFolder() {
  Dl_info info{};
  // The address of this very function names the module that holds it: libvemora, or the
  // program it was linked into.
  if (::dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) != 0 && info.dli_fname != nullptr) {
    std::error_code error;
    const auto module = std::filesystem::canonical(info.dli_fname, error);
    if (!error) return module.parent_path();
  }
  return {};
}

std::filesystem::path HelpFolder() {
  const std::filesystem::path module = ModuleFolder();
  if (module.empty()) return std::filesystem::path("help");
  auto beside = module / "help";
#ifdef VEMORA_INSTALLED_HELP
  // Installed, the pages live in the data folder, found relative to the library.
  if (!std::filesystem::is_directory(beside))
    return (module / VEMORA_INSTALLED_HELP).lexically_normal();
#endif
  return beside;
}
#endif

std::string HelpPageForTopic(int topic) {
  switch (topic) {
    case kHelpTopicMainWindow:
      return "hauptfenster.html";
    case kHelpTopicSearch:
      return "suchen.html";
    case kHelpTopicOptions:
      return "einstellungen.html";
    default:
      return "index.html";
  }
}

#if !defined(_WIN32)
void OpenHelpTopic(int topic, const std::filesystem::path& folder) {
  const std::filesystem::path page = folder / HelpPageForTopic(topic);
  std::error_code error;
  if (!std::filesystem::is_regular_file(page, error)) {
    throw DesktopError("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei \"" + page.string() +
                       "\" wurde nicht gefunden.");
  }
  OpenWithDesktop(page.string());
}

#endif

}  // namespace vemora::platform
