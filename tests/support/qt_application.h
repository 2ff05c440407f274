// The one QApplication a test process needs before it shows a window.
#pragma once

#include <QApplication>

namespace vemora::testing {

inline void EnsureApplication() {
  if (QApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "vemora_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
}

}  // namespace vemora::testing
