// "MS Paint" and "Externe Anwendung": handing the focused image to another program.
//
// "MS Paint" writes the stored image to a hand-off file, starts the paint program on it and
// waits in the wait dialog (behind EditorWaitDialog, which the window implements with
// TFormWait4ExtAppl) until the program ends; the user then takes the edited file back as the
// row's image or as a new row. The hand-off file is always a file name that is free in the
// image folder (the stored name, else with "_2", "_3", ...), so neither another row's source
// file nor any other file is ever replaced; the take-back reads exactly that file.
// "Externe Anwendung" only starts the configured program and never waits.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

class TIniPlus;

enum HandOffResult : int32_t {
  kHandOffNothing = 0,
  kHandOffCancelled = 1,
  kHandOffReplace = 2,
  kHandOffAdd = 3,
};

// What the wait dialog is given and hands back.
struct HandOffRecord {
  std::string application;
  std::string imageFile;
  int32_t result = kHandOffNothing;
};

// The wait dialog, shown modally; it sets record.result when it closes.
class EditorWaitDialog {
 public:
  virtual ~EditorWaitDialog() = default;
  virtual void Run(HandOffRecord& record) = 0;
};

enum class EditorWaitState { Start, Changed, Unchanged };

// How one launch ended: the state the dialog shows and its two result texts.
struct EditorLaunchOutcome {
  bool aborted = false;
  EditorWaitState state = EditorWaitState::Start;
  std::string firstLine;
  std::string secondLine;
};

// Starts `application` with `file` as its one argument in `workingFolder` and, when `wait`,
// waits in 100 ms slices, calling `keepWaiting` after each (false: the user cancelled; the
// program keeps running). Then compares the file's time in two-second slots with the one
// before the start. A program that cannot be started counts as one that changed nothing.
EditorLaunchOutcome LaunchEditor(const std::string& application, const std::string& file, bool wait,
                                 const std::function<bool()>& keepWaiting,
                                 const std::filesystem::path& workingFolder = {});

// A caption while waiting: `caption` + " ... wartet auf \"<program file name>\"".
std::string WaitingCaption(const std::string& caption, const std::string& application);

// The paint program: settings.ini PAINTAPP (a path, or a name looked up on PATH), else the
// first of the usual paint programs on PATH. Throws std::runtime_error with a German
// message naming the key when there is none.
std::string FindPaintProgram(const TIniPlus& settings);

// The hand-off file for the focused record: a free name in the image folder.
std::string HandOffPath(const CatalogueSession& session, const GridRecord& record);

// Runs the wait dialog and acts on its result: replace the focused row's image by the file,
// or add the file as a new row (focused). Returns the result.
int32_t RunExternalEditor(CatalogueSession& session, CatalogueGrid& grid, EditorWaitDialog& dialog,
                          const std::string& application, const std::string& file);

// "MS Paint". Nothing without a focused record; "Fehler in Datei %s" when the hand-off file
// cannot be written; a German message when no paint program is found. Returns the result.
int32_t EditFocusedImage(CatalogueSession& session, CatalogueGrid& grid, const TIniPlus& settings,
                         EditorWaitDialog& dialog);

// "Externe Anwendung": EXTAPP, started in its own folder with the focused record's file
// (PARDEFAULT) or PAR split like a shell. A missing program does nothing. Returns whether
// it was started.
bool StartExternalApplication(const CatalogueGrid& grid, const TIniPlus& settings);

}  // namespace vemora
