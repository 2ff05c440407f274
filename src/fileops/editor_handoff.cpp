#include "fileops/editor_handoff.h"

#include <optional>
#include <stdexcept>

#include "catalogue/adding.h"
#include "catalogue/editing.h"
#include "fileops/free_file_name.h"
#include "fileops/saving.h"
#include "platform/desktop.h"
#include "platform/file_times.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"

namespace vemora {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

EditorLaunchOutcome Unchanged(const std::string& fileName) {
  return {false, EditorWaitState::Unchanged,
          "Das Bild " + Quoted(fileName) + " wurde nicht verändert.",
          "Brechen Sie den Vorgang ab!"};
}

}  // namespace

EditorLaunchOutcome LaunchEditor(const std::string& application, const std::string& file, bool wait,
                                 const std::function<bool()>& keepWaiting,
                                 const std::filesystem::path& workingFolder) {
  const std::optional<long long> before = platform::LastWriteTwoSecondSlot(file);
  int error = 0;
  std::unique_ptr<platform::ChildProcess> child = platform::ChildProcess::Start(
      platform::PathFromUtf8(application), {file}, workingFolder, error);
  if (child != nullptr && wait) {
    while (!child->WaitFor(std::chrono::milliseconds(100))) {
      if (!keepWaiting()) return {true, EditorWaitState::Start, {}, {}};
    }
  }
  const std::string fileName = platform::FileNamePart(file);
  const std::optional<long long> after = platform::LastWriteTwoSecondSlot(file);
  if (before && !after) {
    // Taking back a file that is gone would fail half-way; nothing is offered.
    return {false, EditorWaitState::Unchanged,
            "Die Datei " + Quoted(file) + " ist nicht mehr vorhanden.",
            "Brechen Sie den Vorgang ab!"};
  }
  if (!before || before == after) return Unchanged(fileName);
  return {false, EditorWaitState::Changed, "Das Bild " + Quoted(fileName) + " wurde verändert.",
          "Sie haben nun folgende Möglichkeiten:"};
}

std::string WaitingCaption(const std::string& caption, const std::string& application) {
  return caption + " ... wartet auf \"" + platform::FileNamePart(application) + "\"";
}

std::string FindPaintProgram(const TIniPlus& settings) {
  const std::string configured =
      settings.ReadString(kSectionSettings, kKeyPaintProgram, kDefaultPaintProgram);
  if (!configured.empty()) {
    if (configured.find_first_of(platform::kPathSeparators) != std::string::npos) return configured;
    const std::filesystem::path found = platform::FindOnPath(configured);
    if (!found.empty()) return platform::Utf8FromPath(found);
    throw std::runtime_error("Das Malprogramm \"" + configured +
                             "\" wurde nicht gefunden. Bitte tragen Sie in settings.ini im "
                             "Abschnitt [SETTINGS] unter PAINTAPP ein vorhandenes Programm ein.");
  }
  for (const std::string_view candidate : kPaintProgramCandidates) {
    const std::filesystem::path found = platform::FindOnPath(std::string(candidate));
    if (!found.empty()) return platform::Utf8FromPath(found);
  }
  throw std::runtime_error(
      "Es wurde kein Malprogramm gefunden (kolourpaint, pinta, mtpaint oder gimp). Bitte "
      "installieren Sie eines oder tragen Sie in settings.ini im Abschnitt [SETTINGS] unter "
      "PAINTAPP den Pfad Ihres Malprogramms ein.");
}

std::string HandOffPath(const CatalogueSession& session, const GridRecord& record) {
  return FreeFilePath(*session.files, session.imageFolder,
                      platform::FileNamePart(record.filePath.value_or("")));
}

int32_t RunExternalEditor(CatalogueSession& session, CatalogueGrid& grid, EditorWaitDialog& dialog,
                          const std::string& application, const std::string& file) {
  HandOffRecord record{application, file, kHandOffNothing};
  dialog.Run(record);
  if (record.result == kHandOffReplace) {
    ReplaceImageSource(session, grid, file);
  } else if (record.result == kHandOffAdd) {
    AddImageFile(session, grid, file);
  }
  return record.result;
}

int32_t EditFocusedImage(CatalogueSession& session, CatalogueGrid& grid, const TIniPlus& settings,
                         EditorWaitDialog& dialog) {
  const GridRecord* focused = grid.Focused();
  if (focused == nullptr) return kHandOffNothing;
  std::string application;
  try {
    application = FindPaintProgram(settings);
  } catch (const std::runtime_error& error) {
    session.prompter->ShowMessage(error.what());
    return kHandOffNothing;
  }
  const std::string path = HandOffPath(session, *focused);
  bool written = false;
  try {
    written = SaveImageToFile(session, grid, focused->key, path) == 0;
  } catch (const std::exception&) {
    // Reported as a file that could not be written.
  }
  if (!written) {
    session.prompter->ShowMessage("Fehler in Datei " + path);
    return kHandOffNothing;
  }
  return RunExternalEditor(session, grid, dialog, application, path);
}

bool StartExternalApplication(const CatalogueGrid& grid, const TIniPlus& settings) {
  const std::string application =
      settings.ReadString(kSectionSettings, kKeyExternalApp, kDefaultExternalApp);
  std::error_code error;
  const std::filesystem::path program = platform::PathFromUtf8(application);
  if (application.empty() || !std::filesystem::is_regular_file(program, error)) return false;
  std::vector<std::string> arguments;
  if (settings.ReadBool(kSectionSettings, kKeyExternalAppParameterDefault,
                        kDefaultExternalAppParameterDefault)) {
    const GridRecord* focused = grid.Focused();
    if (focused != nullptr && focused->filePath) arguments.push_back(*focused->filePath);
  } else {
    arguments = platform::SplitLikeShell(settings.ReadString(
        kSectionSettings, kKeyExternalAppParameter, kDefaultExternalAppParameter));
  }
  return platform::StartDetached(program, arguments, program.parent_path()) == 0;
}

}  // namespace vemora
