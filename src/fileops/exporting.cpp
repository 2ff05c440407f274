#include "fileops/exporting.h"

#include <string>
#include <vector>

#include "catalogue/deleting.h"
#include "catalogue/dispatcher.h"
#include "platform/file_io.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"

namespace vemora {
namespace {

bool IsFolder(const CatalogueSession& session, const std::string& path) {
  return !path.empty() && session.files->IsFolder(path);
}

}  // namespace

bool ExportImage(CatalogueSession& session, const TRecConvertPic& convert) {
  if (convert.targetFolder.empty()) {
    session.prompter->ShowMessage("Kein Zielpfad für die Konvertierung erkannt");
    return false;
  }
  TRecCmdMDB command;
  command.command = kCmdConvert;
  command.convert = convert;
  RunCmdMDB(session, command, {});
  return true;
}

ExportRun ExportImages(CatalogueSession& session, const CatalogueGrid& grid, TIniPlus& settings,
                       FileOpsDialogs& dialogs) {
  ExportRun run;
  if (grid.Count() == 0) return run;
  const std::vector<int> marked = MarkedRowsDescending(grid);

  ExportDialogRequest request;
  request.imageFolder = session.imageFolder;
  request.focusedName = ListedDesignation(grid.Focused() ? grid.Focused()->name : "");
  for (const int row : marked)
    request.markedNames.push_back(ListedDesignation(grid.Record(row).name));
  request.targetFolder = settings.ReadString(kSectionLayout, kKeyExportPath, kDefaultExportPath);
  if (!IsFolder(session, request.targetFolder)) request.targetFolder = platform::HomeFolder();

  const ExportDialogResult choice = dialogs.ChooseExport(request);
  settings.WriteString(kSectionLayout, kKeyExportPath, choice.targetFolder);
  if (choice.outcome == ExportOutcome::Cancelled) return run;
  const bool writeBack = choice.writeBack && choice.format != kConvertUnchanged;
  if (writeBack && session.prompter->Ask("Achtung Sie ändern Ihren Datenbestand\r\nMöchten Sie "
                                         "die Operation fortsetzen?",
                                         false) != Answer::Yes) {
    return run;
  }

  // One pair of byte buffers for the whole run: a thousand images reuse their capacity.
  std::string source;
  std::string destination;
  TRecConvertPic convert;
  convert.targetFormat = choice.format;
  convert.writeBack = writeBack;
  convert.targetFolder = choice.targetFolder;
  convert.sourceStream = &source;
  convert.destinationStream = &destination;
  const auto exportRow = [&](int row) {
    convert.key = grid.Record(row).key;
    if (!ExportImage(session, convert)) return false;
    ++run.exported;
    run.wroteBack = run.wroteBack || writeBack;
    return true;
  };

  if (choice.outcome == ExportOutcome::Focused) {
    if (grid.Focused() != nullptr) exportRow(grid.focused);
    return run;
  }
  auto wait = session.prompter->OpenWaitWindow();
  wait->SetLabel("Konvertierung läuft...");
  wait->SetMaximum(static_cast<int>(marked.size()));
  wait->SetPosition(0);
  for (const int row : marked) {
    if (!exportRow(row)) break;
    wait->Step();
  }
  return run;
}

}  // namespace vemora
