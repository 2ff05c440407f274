#include "fileops/saving.h"

#include <chrono>
#include <ctime>

#include "catalogue/dispatcher.h"
#include "platform/paths.h"

namespace vemora {
namespace {

bool IsFolder(const CatalogueSession& session, const std::string& path) {
  return !path.empty() && session.files->IsFolder(path);
}

}  // namespace

std::string FallbackExportName() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
  return std::string("ExpBild_") + text;
}

int SaveImageToFile(CatalogueSession& session, const CatalogueGrid& grid, int32_t key,
                    const std::string& path) {
  if (key < 0) {
    if (grid.Focused() == nullptr) return 1;
    key = grid.Focused()->key;
  }
  std::string folder = platform::FolderPart(path);
  if (!IsFolder(session, folder)) folder = session.imageFolder;
  std::string fileName = platform::FileNamePart(path);
  if (fileName.empty()) fileName = FallbackExportName();

  TRecCmdMDB command;
  command.command = kCmdExport;
  command.key = key;
  command.folder = platform::WithTrailingSeparator(folder);
  command.fileName = fileName;
  RunCmdMDB(session, command, {});
  return session.files->Exists(platform::WithTrailingSeparator(folder) + fileName) ? 0 : 1;
}

bool SaveFocusedImageAs(CatalogueSession& session, const CatalogueGrid& grid,
                        FileOpsDialogs& dialogs) {
  const GridRecord* record = grid.Focused();
  if (record == nullptr) {
    session.prompter->ShowMessage("Bitte selektieren Sie ein Bild");
    return false;
  }
  const int32_t key = record->key;
  const std::string file = record->filePath.value_or("");
  std::string folder = platform::FolderPart(file);
  if (!IsFolder(session, folder)) folder = session.imageFolder;
  const std::optional<std::string> chosen =
      dialogs.ChooseSaveFile(folder, platform::FileNamePart(file));
  if (!chosen) return false;
  if (session.files->Exists(*chosen) &&
      session.prompter->Ask("Die Datei \"" + *chosen +
                                "\" existiert bereits!\r\nMöchten Sie die Datei überschreiben?",
                            false) != Answer::Yes) {
    return false;
  }
  return SaveImageToFile(session, grid, key, *chosen) == 0;
}

}  // namespace vemora
