#include "fileops/mailing.h"

#include <exception>
#include <filesystem>

#include "fileops/free_file_name.h"
#include "fileops/saving.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "platform/utf8_path.h"

namespace vemora {
namespace {

// A folder of its own for this message, so that a later message never replaces files the
// mail client of an earlier one still has to read.
std::string FreshMailFolder(const std::string& tempFolder) {
  const std::string base = platform::WithTrailingSeparator(tempFolder) + "Mail";
  for (int number = 1;; ++number) {
    const std::filesystem::path folder = platform::PathFromUtf8(base + std::to_string(number));
    std::error_code error;
    if (std::filesystem::create_directories(folder, error)) {
      return platform::WithTrailingSeparator(platform::Utf8FromPath(folder));
    }
    if (error) return {};
  }
}

}  // namespace

std::optional<MailHandOff> SendImagesByMail(CatalogueSession& session, const CatalogueGrid& grid,
                                            const std::string& tempFolder) {
  if (grid.Count() == 0) return std::nullopt;
  std::vector<int> rows;
  for (int index = 0; index < grid.Count(); ++index) {
    if (grid.Record(index).marked) rows.push_back(index);
  }
  const GridRecord* focused = grid.Focused();
  if (focused == nullptr || focused->name.empty()) {
    session.prompter->ShowMessage(
        rows.empty() ? "Bitte vergeben Sie erst eine gültige Bezeichnung für das aktuelle Bild"
                     : "Bitte vergeben Sie erst eine gültige Bezeichnung für die markierten "
                       "Bilder");
    return std::nullopt;
  }
  if (rows.empty()) rows.push_back(grid.focused);

  const std::string folder = tempFolder.empty() ? std::string() : FreshMailFolder(tempFolder);
  if (folder.empty()) {
    // Writing anywhere else could replace a source file in the image folder.
    session.prompter->ShowMessage(
        "Die Bilder können nicht versendet werden: Der Ordner für temporäre Dateien \"" +
        tempFolder + "\" ist nicht verfügbar.");
    return std::nullopt;
  }
  MailHandOff message{focused->name, {}};
  for (const int row : rows) {
    const GridRecord& record = grid.Record(row);
    const std::string path =
        FreeFilePath(*session.files, folder, platform::FileNamePart(record.filePath.value_or("")));
    bool written = false;
    try {
      written = SaveImageToFile(session, grid, record.key, path) == 0;
    } catch (const std::exception&) {
      // Reported below like any other file that could not be written.
    }
    if (written) {
      message.attachments.push_back(path);
    } else {
      session.prompter->ShowMessage("Fehler in Datei " + path);
    }
  }
  try {
    platform::ComposeMail(message.subject, message.attachments);
  } catch (const platform::DesktopError& error) {
    session.prompter->ShowMessage(error.what());
    return std::nullopt;
  }
  return message;
}

}  // namespace vemora
