// A recording stand-in for xdg-open, put first on PATH for as long as it lives: every call
// appends its argument as one line to opened.txt in the given folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/fake_programs.h"

namespace vemora::testing {

class FakeXdgOpen {
 public:
  explicit FakeXdgOpen(const std::filesystem::path& folder) : programs_(folder, "opened.txt") {
    programs_.Add("xdg-open", "printf '%s\\n' \"$1\" >> \"$REC\"");
  }

  // Leaves no xdg-open on PATH at all (until destruction).
  void HideAll() const { programs_.NoneAtAll(); }

  // The record once it holds `lines` lines (or after 20 s): the handler runs detached.
  std::string Opened(int lines) const {
    std::string record;
    WaitUntil([&] {
      record = programs_.Record();
      return std::count(record.begin(), record.end(), '\n') >= lines;
    });
    return record;
  }

 private:
  FakePrograms programs_;
};

}  // namespace vemora::testing
