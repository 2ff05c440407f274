#include "catalogue_cli/terminal_dialogs.h"

#include <algorithm>

namespace vemora::cli {
namespace {

// "label 12/40", rewritten in place; the line is cleared when the window closes.
class ProgressLine final : public ProgressWindow, public AddProgressWindow {
 public:
  ProgressLine(std::ostream* out, std::string label, int maximum)
      : out_(out), label_(std::move(label)), maximum_(maximum) {}
  ~ProgressLine() override {
    if (out_ != nullptr && drawn_) *out_ << "\r\033[K" << std::flush;
  }

  void SetLabel(const std::string& text) override {
    label_ = text;
    Draw();
  }
  void SetMaximum(int maximum) override { maximum_ = maximum; }
  void SetPosition(int position) override {
    position_ = position;
    Draw();
  }
  // A long run redraws about a hundred times, not once per image.
  void Step() override {
    ++position_;
    if (position_ >= maximum_ || position_ % std::max(1, maximum_ / 100) == 0) Draw();
  }

  void FileAdded(const std::string& path, std::string_view) override {
    label_ = path;
    Step();
  }
  void FileFailed(const std::string& path) override { label_ = path; }
  void ShowTimes(const std::string&, const std::string&) override {}

 private:
  void Draw() {
    if (out_ == nullptr) return;
    *out_ << "\r\033[K" << label_ << ' ' << std::min(position_, std::max(maximum_, position_))
          << '/' << std::max(maximum_, position_) << std::flush;
    drawn_ = true;
  }

  std::ostream* out_;
  std::string label_;
  int maximum_;
  int position_ = 0;
  bool drawn_ = false;
};

}  // namespace

void TerminalDialogs::ShowMessage(const std::string& text) {
  shown_.push_back(text);
  messages_ << text << '\n';
}

Answer TerminalDialogs::Ask(const std::string& text, bool withCancel) {
  (void)text;
  return !withCancel && answer == Answer::Cancel ? Answer::No : answer;
}

std::unique_ptr<ProgressWindow> TerminalDialogs::OpenWaitWindow() {
  return std::make_unique<ProgressLine>(progress_, "Bitte warten...", 0);
}

std::vector<std::string> TerminalDialogs::ChoosePictureFiles(const std::string&, bool) {
  return pictureFiles;
}

DeleteChoice TerminalDialogs::ChooseDeleteMode(const std::string&,
                                               const std::vector<std::string>&) {
  return DeleteChoice{.cancelled = true};
}

std::unique_ptr<AddProgressWindow> TerminalDialogs::OpenAddWindow(int fileCount, bool) {
  return std::make_unique<ProgressLine>(progress_, "", fileCount);
}

std::optional<std::string> TerminalDialogs::ChooseSaveFile(const std::string&, const std::string&) {
  return std::nullopt;
}

ExportDialogResult TerminalDialogs::ChooseExport(const ExportDialogRequest&) {
  return exportChoice;
}

ResizeDialogResult TerminalDialogs::ChooseResize() { return resizeChoice; }

}  // namespace vemora::cli
