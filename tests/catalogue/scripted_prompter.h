// A prompter that answers from a script and logs what the user would have seen.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/prompter.h"

namespace vemora::testing {

class ScriptedPrompter : public Prompter {
 public:
  std::vector<std::string> shown;  // messages, questions and wait-window labels, in order
  std::deque<Answer> answers;      // next answers to Ask; Yes when empty
  // Next answers to AskText (none: cancel); cancel when empty. textShown logs the text
  // each input box started with.
  std::deque<std::optional<std::string>> texts;
  std::vector<std::string> textShown;
  int lastMaximum = -1;
  int steps = 0;

  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  Answer Ask(const std::string& text, bool) override {
    shown.push_back(text);
    if (answers.empty()) return Answer::Yes;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override {
    shown.push_back(caption + ": " + prompt);
    textShown.push_back(initial);
    if (texts.empty()) return std::nullopt;
    auto answer = texts.front();
    texts.pop_front();
    return answer;
  }
  std::unique_ptr<ProgressWindow> OpenWaitWindow() override {
    return std::make_unique<Window>(*this);
  }

 private:
  class Window : public ProgressWindow {
   public:
    explicit Window(ScriptedPrompter& owner) : owner_(owner) {}
    void SetLabel(const std::string& text) override { owner_.shown.push_back(text); }
    void SetMaximum(int maximum) override { owner_.lastMaximum = maximum; }
    void SetPosition(int) override {}
    void Step() override { ++owner_.steps; }

   private:
    ScriptedPrompter& owner_;
  };
};

}  // namespace vemora::testing
