// The panel the single-image view shows instead of a picture when the focused record has
// no preview: what is missing, and the two ways out ("Bild Löschen...", "neue Quelle...").
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace vemora::ui {

class MissingImagePanel : public QWidget {
  Q_OBJECT

 public:
  explicit MissingImagePanel(QWidget* parent = nullptr);

  void SetPath(const QString& path);
  QPushButton* deleteButton() const { return deleteButton_; }
  QPushButton* newSourceButton() const { return newSourceButton_; }

 private:
  QLabel* path_;
  QPushButton* deleteButton_;
  QPushButton* newSourceButton_;
};

}  // namespace vemora::ui
