// Keeps views from painting while the records under them are replaced; painting resumes
// when the guard goes, also when the replacement failed.
#pragma once

#include <QWidget>
#include <initializer_list>
#include <vector>

namespace vemora::ui {

class PaintingSuspended {
 public:
  explicit PaintingSuspended(std::initializer_list<QWidget*> widgets) : widgets_(widgets) {
    for (QWidget* widget : widgets_) widget->setUpdatesEnabled(false);
  }
  ~PaintingSuspended() {
    for (QWidget* widget : widgets_) widget->setUpdatesEnabled(true);
  }
  PaintingSuspended(const PaintingSuspended&) = delete;
  PaintingSuspended& operator=(const PaintingSuspended&) = delete;

 private:
  std::vector<QWidget*> widgets_;
};

}  // namespace vemora::ui
