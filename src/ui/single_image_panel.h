// The single-image panel ("Einzelbild"): the focused record's stored image, fitted to the
// panel, or the missing-image panel when the record has no preview. cxImage3 is the picture
// control other commands read the shown picture from.
#pragma once

#include <QDockWidget>
#include <QImage>

class QLabel;
class QStackedWidget;

namespace vemora::ui {

class MissingImagePanel;

class SingleImagePanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit SingleImagePanel(QWidget* parent = nullptr);

  // Puts a picture in the panel; a null picture leaves the panel as it is.
  void SetPicture(const QImage& picture);
  void ClearPicture();
  void ShowMissingImage(const QString& path);
  void ShowPictureArea();
  // "Einzelbild [Bildqualität-niedrig]" for 0, "... [Bildqualität-hoch]" otherwise.
  void SetQualityCaption(int performance);

  const QImage& picture() const { return picture_; }
  bool missingImageShown() const;

 signals:
  // The missing-image panel's "Bild Löschen..." and "neue Quelle...".
  void deleteImageRequested();
  void newSourceRequested();
  // A right-click on the picture, at a global position.
  void contextMenuRequested(const QPoint& position);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();

  QStackedWidget* pages_;
  QLabel* cxImage3_;
  MissingImagePanel* missing_;
  QImage picture_;
};

}  // namespace vemora::ui
