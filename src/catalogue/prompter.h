// What a command needs from the user, behind an interface the core owns.
//
// Commands never open a window themselves: they ask the Prompter. The Qt window implements
// it with message boxes and dialogs; tests implement it with scripted answers and a log of
// what was shown, so a test can say "the user answers No, and nothing was deleted".
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace vemora {

enum class Answer { Yes, No, Cancel };

// A small window with a label and a progress bar shown during long runs (the wait window
// TFWaitLoad, or the adding window). Closing happens when the object is destroyed.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void SetLabel(const std::string& text) = 0;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  // Advances the bar by one and lets the window repaint.
  virtual void Step() = 0;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A notice with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes and No (and Cancel when withCancel).
  virtual Answer Ask(const std::string& text, bool withCancel) = 0;
  // An input box with a caption, a prompt and the text it starts with; none when the user
  // cancels. A prompter that cannot ask for text cancels.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) {
    (void)caption;
    (void)prompt;
    (void)initial;
    return std::nullopt;
  }
  // Shows the wait window with its default label; it closes when the result is destroyed.
  virtual std::unique_ptr<ProgressWindow> OpenWaitWindow() = 0;
};

}  // namespace vemora
