// Handing a file or an address to the desktop, and opening our help pages with it.
//
// The desktop's handler is "xdg-open", looked up on PATH at every call (so a test can put a
// recording stand-in first on PATH). It is started detached: the call returns as soon as
// the handler runs, and no child is left for us to reap. Failures throw DesktopError with a
// German message, as the window shows it. On Windows the shell's "open", Simple MAPI and
// HTML Help take these parts (desktop_windows.cpp).
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace vemora::platform {

class DesktopError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first executable `name` in the folders of $PATH; empty when there is none.
std::filesystem::path FindOnPath(const std::string& name);

// Opens `target` (a file path or an address) with the desktop's handler.
void OpenWithDesktop(const std::string& target);

// Opens the desktop mail client's compose window with `subject` and the files attached,
// through "xdg-email" (looked up on PATH at every call, started detached). Throws
// DesktopError with a German message when it is missing or cannot be started.
void ComposeMail(const std::string& subject, const std::vector<std::string>& attachments);

// Help topic numbers as settings.ini [HILFE] names them by default.
inline constexpr int kHelpTopicMainWindow = 3001;
inline constexpr int kHelpTopicSearch = 3003;
inline constexpr int kHelpTopicOptions = 3004;

// The folder of the library (or program) this code is part of; empty when it cannot be told.
std::filesystem::path ModuleFolder();

// The help pages' folder: "help" beside the library (or program) this code is part of, or,
// when that is missing in an installed tree, share/vemora/help under its prefix.
std::filesystem::path HelpFolder();

// The page file of a topic number; unknown numbers give the start page "index.html".
std::string HelpPageForTopic(int topic);

// Opens the topic's page in `folder` with the desktop's handler. A missing page throws
// DesktopError naming it.
void OpenHelpTopic(int topic, const std::filesystem::path& folder = HelpFolder());

}  // namespace vemora::platform
