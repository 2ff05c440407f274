// The single-image panel ("Einzelbild"): the focused record's stored image, or the
// missing-image panel when the record has no preview. The picture is fitted to the panel
// (zoom index 0) or shown at a fixed scale in a scrollable area (indices 1 to 8: 25% to
// 200%). cxImage3 is the picture control other commands read the shown picture from.
#pragma once

#include <QDockWidget>
#include <QImage>

class QLabel;
class QScrollArea;
class QStackedWidget;

namespace vemora::ui {

class MissingImagePanel;

// The zoom choice's items, by index.
inline constexpr int kZoomFit = 0;
inline constexpr int kZoomSmallest = 1;  // "25%"
inline constexpr int kZoomLargest = 8;   // "200%"

// The displayed size of a picture of `picture` pixels at zoom `index` (1 to 8). The
// scales work on the picture's size plus a 5-pixel margin, in whole pixels: "75%" is two
// thirds and "175%" five thirds of it. Index 0 (fit to the panel) and unknown indices
// give an invalid size.
QSize ZoomedSize(QSize picture, int index);

class SingleImagePanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit SingleImagePanel(QWidget* parent = nullptr);

  // Puts a picture in the panel; a null picture leaves the panel as it is.
  void SetPicture(const QImage& picture);
  void ClearPicture();
  // In place of a picture: why the stored image cannot be shown.
  void ShowUnreadable(const QString& text);
  void ShowMissingImage(const QString& path);
  void ShowPictureArea();
  // "Einzelbild [Bildqualität-niedrig]" for 0, "... [Bildqualität-hoch]" otherwise.
  void SetQualityCaption(int performance);
  // Shows the picture at zoom `index` (see ZoomedSize); 0 fits it to the panel.
  void SetZoom(int index);
  // The area behind the picture; an invalid colour gives the panel's own.
  void SetBackground(const QColor& colour);

  const QImage& picture() const { return picture_; }
  bool missingImageShown() const;
  int zoom() const { return zoom_; }
  // The size the picture is drawn at now (empty when none is shown).
  QSize displayedSize() const;

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
  QScrollArea* scroll_;
  QLabel* cxImage3_;
  MissingImagePanel* missing_;
  QImage picture_;
  int zoom_ = kZoomFit;
};

}  // namespace vemora::ui
