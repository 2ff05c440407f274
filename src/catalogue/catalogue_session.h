// The state one call shares between the commands that read and write the catalogue.
//
// The window owns the session; the gateway and the prompter are borrowed (the host owns
// the gateway, the window owns the prompter) and outlive it.
#pragma once

#include <string>

#include "catalogue/prompter.h"
#include "platform/file_system.h"
#include "vemora/gateway.h"

namespace vemora {

struct CatalogueSession {
  TDBGateway* gateway = nullptr;
  Prompter* prompter = nullptr;
  const platform::FileSystem* files = &platform::LocalFileSystem();
  // Base folder of the image files, as the host passed it.
  std::string imageFolder;
  // The catalogue's file-name column as the insert names it: "File" until a load settles
  // it to "FILE" or "XFile".
  std::string fileColumn = "File";
  // Result of the last preview-column check.
  bool previewColumnAvailable = false;
  // Cleared when the check had to create the column.
  bool previewColumnWasPresent = false;
  // Set while the window follows other hosts' changes: an edit of a row that another host
  // changed since the window read it asks before writing (overwrite_guard.h).
  bool guardOverwrites = false;
};

}  // namespace vemora
