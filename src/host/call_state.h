// What one ShowVemora call knows about itself: folders, gateway, mode and the choice the
// user has made so far. The main window owns it for the life of the call.
#pragma once

#include <cstdint>
#include <string>

#include "vemora/gateway.h"

namespace vemora {

// Everything a call hands the window, gathered once before the window is built.
struct CallOptions {
  std::string settingsFolder;  // always ends with a separator
  std::string imageFolder;     // as the host passed it
  std::string tempFolder;      // "" when it could not be created
  TDBGateway* gateway = nullptr;
  int32_t hostId = 1;
  bool multiSelect = false;
  int32_t preselectKey = -1;
  // A host's own prompt for the selection panel ("" keeps the host's standard prompt;
  // "hide" hides the panel).
  std::string prompt;
  // Information lines show file names without their folder when a host opened the window.
  bool openedByHost = false;
};

struct CallState : CallOptions {
  std::string selectedFileName;
  int32_t selectedKey = 0;

  bool SelectionPanelHidden() const { return prompt == "hide"; }
  // The selection panel's prompt: the host's own, or the standard one for host and mode.
  std::string PromptShown() const;
  std::string SettingsFile() const { return settingsFolder + "settings.ini"; }
  std::string ThumbsFile() const { return settingsFolder + "thumbs.ini"; }
  std::string SelectionFile() const { return settingsFolder + "bdselect.txt"; }
};

// The selection panel's prompt for a host in a mode; "" for hosts it does not know.
std::string PromptText(int32_t hostId, bool multiSelect);

// The selection panel's caption in a mode.
std::string SelectionPanelCaption(bool multiSelect);

// The settings folder a call works in: the given one with a trailing separator, or the
// host executable's folder when the host passed none.
std::string NormalizeSettingsFolder(const std::string& settingsFolder);

// Creates settingsFolder + "Temp/Vemora/" with its parents. Returns the folder, or "" and
// sets failureMessage to the German notice when it cannot be created.
std::string PrepareTempFolder(const std::string& settingsFolder, std::string& failureMessage);

}  // namespace vemora
