// The one QApplication a test process needs before it shows a window, and finding a
// window's controls by object name, as a user finds them by sight.
#pragma once

#include <gtest/gtest.h>

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

// The child of `root` named `name`; a missing one fails the test.
template <typename T>
T* FindNamed(const QObject* root, const char* name) {
  T* child = root->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

}  // namespace vemora::testing
