#include "host/call_state.h"

#include <array>
#include <filesystem>

#include "platform/paths.h"
#include "platform/utf8_path.h"
#include "settings/executable_folder.h"

namespace vemora {

std::string PromptText(int32_t hostId, bool multiSelect) {
  struct Prompt {
    const char* multi;
    const char* single;
  };
  static constexpr std::array<Prompt, 6> kPrompts = {{
      {"Bitte wählen Sie Bilder aus...", "Bitte wählen Sie ein Bild aus..."},
      {"Bitte wählen Sie für den Kelvaro Bilder aus.",
       "Bitte wählen Sie für den Kelvaro ein Bild aus."},
      {"Bitte wählen Sie für den Tessmar Bilder aus.",
       "Bitte wählen Sie für den Tessmar ein Bild aus."},
      {"Bitte wählen Sie für die Oddlin Bilder aus.",
       "Bitte wählen Sie für die Oddlin ein Bild aus."},
      {"Bitte wählen Sie für die Brevik Bilder aus.",
       "Bitte wählen Sie für die Brevik ein Bild aus."},
      {"Bitte wählen Sie für das Marrowin Bilder aus.",
       "Bitte wählen Sie für das Marrowin ein Bild aus."},
  }};
  if (hostId < 0 || hostId >= static_cast<int32_t>(kPrompts.size())) return {};
  return multiSelect ? kPrompts[hostId].multi : kPrompts[hostId].single;
}

std::string CallState::PromptShown() const {
  return prompt.empty() ? PromptText(hostId, multiSelect) : prompt;
}

std::string SelectionPanelCaption(bool multiSelect) {
  return multiSelect ? "ausgewählte Bilder" : "ausgewähltes Bild";
}

std::string NormalizeSettingsFolder(const std::string& settingsFolder) {
  if (settingsFolder.find_first_not_of(' ') == std::string::npos)
    return platform::WithTrailingSeparator(ExecutableFolder().string());
  return platform::WithTrailingSeparator(settingsFolder);
}

std::string PrepareTempFolder(const std::string& settingsFolder, std::string& failureMessage) {
  const std::string folder =
      settingsFolder + "Temp" + platform::kPathSeparator + "Vemora" + platform::kPathSeparator;
  std::error_code error;
  std::filesystem::create_directories(platform::PathFromUtf8(folder), error);
  if (!std::filesystem::is_directory(platform::PathFromUtf8(folder), error)) {
    failureMessage = "Das Verzeichnis : " + settingsFolder + "Temp" + platform::kPathSeparator +
                     "Vemora konnte nicht angelegt werden!";
    return {};
  }
  return folder;
}

}  // namespace vemora
