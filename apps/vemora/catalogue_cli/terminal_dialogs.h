// The catalogue commands' user interfaces on a command line: what the window asks with
// message boxes and dialogs, the command line has already said in its options.
//
// Questions get the answer the options chose, notices go to the error stream as lines, and
// the wait and adding windows become one progress line that rewrites itself, drawn only
// when the output is a terminal. The dialogs hand back the files, the export choice and the
// scaling choice given to the constructor's caller.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/catalogue_dialogs.h"
#include "catalogue/prompter.h"
#include "fileops/fileops_dialogs.h"

namespace vemora::cli {

class TerminalDialogs final : public Prompter, public CatalogueDialogs, public FileOpsDialogs {
 public:
  // `progress` is the stream the progress line goes to, or nullptr for none.
  TerminalDialogs(std::ostream& messages, std::ostream* progress)
      : messages_(messages), progress_(progress) {}

  // What the dialogs answer.
  std::vector<std::string> pictureFiles;
  ExportDialogResult exportChoice;
  ResizeDialogResult resizeChoice;
  Answer answer = Answer::Yes;

  // Notices shown so far, in order.
  const std::vector<std::string>& Messages() const { return shown_; }

  void ShowMessage(const std::string& text) override;
  Answer Ask(const std::string& text, bool withCancel) override;
  std::unique_ptr<ProgressWindow> OpenWaitWindow() override;

  std::vector<std::string> ChoosePictureFiles(const std::string& title, bool multiple) override;
  DeleteChoice ChooseDeleteMode(const std::string& focusedName,
                                const std::vector<std::string>& markedNames) override;
  std::unique_ptr<AddProgressWindow> OpenAddWindow(int fileCount, bool fromDrop) override;

  std::optional<std::string> ChooseSaveFile(const std::string& initialFolder,
                                            const std::string& proposedName) override;
  ExportDialogResult ChooseExport(const ExportDialogRequest& request) override;
  ResizeDialogResult ChooseResize() override;

 private:
  std::ostream& messages_;
  std::ostream* progress_;
  std::vector<std::string> shown_;
};

}  // namespace vemora::cli
