// What the command groups may use of the main window: the call's data and the few window
// operations a command needs before and after it runs.
//
// TForm1 implements it. A group holds a reference for its whole life, which is the
// window's; the data behind it (grid, session, settings) belongs to the window.
#pragma once

#include <functional>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/catalogue_session.h"
#include "catalogue/focused_record.h"
#include "catalogue/grid_record.h"
#include "catalogue/prompter.h"
#include "host/call_state.h"
#include "settings/ini_plus.h"

class QWidget;

namespace vemora::ui {

class WindowServices {
 public:
  virtual CallState& call() = 0;
  virtual CatalogueSession& session() = 0;
  virtual CatalogueGrid& grid() = 0;
  virtual TIniPlus& settings() = 0;  // settings.ini
  virtual TIniPlus& thumbs() = 0;    // thumbs.ini
  virtual Prompter& prompter() = 0;
  virtual CatalogueDialogs& dialogs() = 0;
  // The window, as the parent of a command's dialogs.
  virtual QWidget* widget() = 0;
  // The picture the single image shows now.
  virtual const SingleImageState& singleImage() = 0;

  // Focuses grid record `index` (-1: none) as a click in the grid would.
  virtual void FocusRecord(int index) = 0;
  virtual void PutKeyboardFocusOnGrid() = 0;
  // Writes the text of an open cell editor, as leaving the grid would.
  virtual void EndGridEdit() = 0;
  // Applies again what the options dialog edits (quality caption, thumbnails).
  virtual void ApplySettings() = 0;
  // Shows the focused record again after a command changed it.
  virtual void ShowFocusedRecord() = 0;
  virtual void RebuildThumbnails() = 0;
  // Sizes the thumbnails and their panel as [SETTINGS] THUMBSSIZE says.
  virtual void ApplyStoredThumbnailSize() = 0;
  // Waits for the previews still on their way after a load (a job that needs them all).
  virtual void AwaitPreviews() = 0;
  // Clears the grid and loads the catalogue again.
  virtual void ReloadCatalogue() = 0;
  // Runs a handler; an error is shown and the window stays open.
  virtual void Guarded(const std::function<void()>& handler) = 0;
  // Runs a command that may add, remove or change records. The view follows every change
  // as it happens; afterwards the focus, the count and the commands are shown as they are
  // now, also when the command failed part way, and then its error is shown.
  virtual void RunRecordsCommand(const std::function<void()>& command) = 0;

 protected:
  ~WindowServices() = default;
};

}  // namespace vemora::ui
