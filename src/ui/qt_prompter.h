// The Prompter of the Qt window: message boxes with German buttons and the wait window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "catalogue/prompter.h"

namespace vemora::ui {

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent) : parent_(parent) {}

  void ShowMessage(const std::string& text) override;
  Answer Ask(const std::string& text, bool withCancel) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
  std::unique_ptr<ProgressWindow> OpenWaitWindow() override;

 private:
  QPointer<QWidget> parent_;
};

// Shows an error the way every command's failure is reported: a message box with the
// message, after which the window carries on.
void ShowErrorReport(QWidget* parent, const std::string& message);

}  // namespace vemora::ui
