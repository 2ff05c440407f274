// A prompter that answers from a script and logs what the user would have seen.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/prompter.h"

namespace vemora::testing {

class ScriptedPrompter : public Prompter {
 public:
  std::vector<std::string> shown;  // messages, questions and wait-window labels, in order
  std::deque<Answer> answers;      // next answers to Ask; Yes when empty
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
