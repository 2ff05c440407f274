// The one QApplication a test process needs before it shows a window, and finding a
// window's controls by object name, as a user finds them by sight, and reading their texts.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <string>
#include <vector>

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

// The texts of a list's items, in order.
inline std::vector<std::string> ItemTexts(const QListWidget* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->count(); ++i) texts.push_back(list->item(i)->text().toStdString());
  return texts;
}

}  // namespace vemora::testing
