// TResizeForm ("Einstellungen zur Skalierung"): suggestions and limits for the scaling run,
// the printed size they give, and, for experts, the filter and colour reduction.
//
// Seven panels stack from the top; the dialog is as high as the visible ones. A right click
// on the first panel switches the layout: plain, with Ctrl the filter panel, with Ctrl and
// Alt also separate width and height fields.
#pragma once

#include <QDialog>

#include "fileops/fileops_dialogs.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vemora::ui {

class TResizeForm : public QDialog {
  Q_OBJECT

 public:
  enum class Layout { Normal, FilterExpert, Expert };

  explicit TResizeForm(QWidget* parent);

  // The choice as the dialog closed (or as it stands).
  ResizeDialogResult Result() const;
  void SetLayout(Layout layout);

  // The printed size of the limits at the resolution: "%6.2f x %6.2f cm", height first.
  static QString PrintSizeText(int width, int height, int dpiX, int dpiY);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFrame* AddPanel(const char* name, int height);
  void ApplyInterpolation();
  void ApplySuggestion();
  void LimitEdited(QLineEdit* field, int& limit);
  void UpdateSizeText();

  std::vector<QFrame*> panels_;
  QComboBox* suggestions_;
  QRadioButton* allImages_;
  QRadioButton* markedImages_;
  QLineEdit* combined_;
  QLineEdit* width_;
  QLineEdit* height_;
  QComboBox* printQuality_;
  QLabel* sizeText_;
  QCheckBox* interpolate_;
  QLabel* filterLabel_;
  QComboBox* filters_;
  QLabel* colourLabel_;
  QComboBox* colourFormats_;
  int widthLimit_ = 0;
  int heightLimit_ = 0;
  int dpi_ = 300;
  bool exportRequested_ = false;
};

}  // namespace vemora::ui
