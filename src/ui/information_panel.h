// The image-information panel ("Bildinformationen"): the focused record's file and size
// texts and the "EXIF Informationen" button, shown only for files that carry metadata.
#pragma once

#include <QDockWidget>

class QLabel;
class QPushButton;

namespace vemora::ui {

class InformationPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit InformationPanel(QWidget* parent = nullptr);

  void SetTexts(const QString& fileText, const QString& sizeText);
  QString fileText() const;
  QString sizeText() const;
  // "EXIF Informationen" is shown only for a file that carries metadata, and enabled only
  // while a record is focused.
  void SetExifShown(bool shown);
  void SetExifEnabled(bool enabled);

 signals:
  void exifRequested();

 private:
  QLabel* fileText_;
  QLabel* sizeText_;
  QPushButton* exifButton_;
};

}  // namespace vemora::ui
