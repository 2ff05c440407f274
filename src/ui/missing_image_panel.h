// The panel the single-image view shows instead of a picture when the focused record has
// no preview: what is missing, and the two ways out ("Bild Löschen...", "neue Quelle...").
#pragma once

#include <QWidget>

class QLabel;

namespace vemora::ui {

class MissingImagePanel : public QWidget {
  Q_OBJECT

 public:
  explicit MissingImagePanel(QWidget* parent = nullptr);

  void SetPath(const QString& path);

 signals:
  // "Bild Löschen..."
  void deleteRequested();
  // "neue Quelle..."
  void newSourceRequested();

 private:
  QLabel* path_;
};

}  // namespace vemora::ui
