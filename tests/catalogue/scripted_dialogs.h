// Catalogue dialogs that answer from a script and remember what they were shown.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue_dialogs.h"

namespace vemora::testing {

class ScriptedDialogs : public CatalogueDialogs {
 public:
  std::vector<std::string> filesToChoose;  // what the file dialog returns
  std::string fileDialogTitle;
  bool fileDialogMultiple = false;
  DeleteChoice deleteChoice;  // what the delete dialog returns
  bool deleteDialogShown = false;
  std::string deleteDialogLeft;
  std::vector<std::string> deleteDialogRight;
  std::vector<std::string> failedFiles;  // paths the add window showed as failing

  std::vector<std::string> ChoosePictureFiles(const std::string& title, bool multiple) override {
    fileDialogTitle = title;
    fileDialogMultiple = multiple;
    return filesToChoose;
  }
  DeleteChoice ChooseDeleteMode(const std::string& focusedName,
                                const std::vector<std::string>& markedNames) override {
    deleteDialogShown = true;
    deleteDialogLeft = focusedName;
    deleteDialogRight = markedNames;
    return deleteChoice;
  }
  std::unique_ptr<AddProgressWindow> OpenAddWindow(int, bool) override {
    return std::make_unique<Window>(failedFiles);
  }

 private:
  class Window : public AddProgressWindow {
   public:
    explicit Window(std::vector<std::string>& failed) : failed_(failed) {}
    void FileAdded(const std::string&, std::string_view) override {}
    void FileFailed(const std::string& path) override { failed_.push_back(path); }
    void ShowTimes(const std::string&, const std::string&) override {}

   private:
    std::vector<std::string>& failed_;
  };
};

}  // namespace vemora::testing
