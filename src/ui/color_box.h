// ColorBox: a drop-down list of the standard colours with a swatch each, and "Weitere
// Farben..." for any other colour through the colour dialog. It holds colours as the
// settings files store them (TColor); a stored colour that is not in the list (a system
// colour, a hand-written value) is added under its text form, so it survives unchanged.
#pragma once

#include <QComboBox>

#include "settings/color.h"

namespace vemora::ui {

class ColorBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ColorBox(QWidget* parent);

  TColor Color() const;
  void SetColor(TColor color);

 private:
  int AddColor(const QString& text, TColor color);
  void OnActivated(int index);

  int otherColorsIndex_ = -1;
  int lastIndex_ = 0;
};

// The colour a TColor paints with; system colours resolve through the application palette.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace vemora::ui
