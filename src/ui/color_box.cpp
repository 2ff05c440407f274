#include "ui/color_box.h"

#include <QApplication>
#include <QColorDialog>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace vemora::ui {
namespace {

struct NamedColor {
  const char* name;
  TColor color;
};

constexpr NamedColor kListed[] = {
    {"Schwarz", clBlack},       {"Kastanienbraun", clMaroon},
    {"Grün", clGreen},          {"Oliv", clOlive},
    {"Marineblau", clNavy},     {"Purpur", clPurple},
    {"Blaugrün", clTeal},       {"Grau", clGray},
    {"Silber", clSilver},       {"Rot", clRed},
    {"Hellgrün", clLime},       {"Gelb", clYellow},
    {"Blau", clBlue},           {"Magenta", clFuchsia},
    {"Cyan", clAqua},           {"Weiß", clWhite},
    {"Mintgrün", clMoneyGreen}, {"Himmelblau", clSkyBlue},
    {"Creme", clCream},         {"Mittelgrau", clMedGray},
};

QIcon Swatch(TColor color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(ToQColor(color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
  return QIcon(pixmap);
}

}  // namespace

QColor ToQColor(TColor color) {
  if ((color & kSystemColorFlag) == kSystemColorFlag) {
    // The few system colours a grid line could sensibly use; the rest fall back to text.
    const QPalette palette = QApplication::palette();
    switch (color & 0xFF) {
      case 5:
        return palette.color(QPalette::Base);
      case 13:
        return palette.color(QPalette::Highlight);
      case 15:
        return palette.color(QPalette::Button);
      case 16:
        return palette.color(QPalette::Mid);
      default:
        return palette.color(QPalette::WindowText);
    }
  }
  if (color == clNone || color == clDefault) return QColor(Qt::black);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red()) | (static_cast<TColor>(color.green()) << 8) |
         (static_cast<TColor>(color.blue()) << 16);
}

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
  for (const NamedColor& named : kListed) AddColor(QString::fromUtf8(named.name), named.color);
  addItem(QStringLiteral("Weitere Farben..."));
  otherColorsIndex_ = count() - 1;
  connect(this, &QComboBox::activated, this, &ColorBox::OnActivated);
}

int ColorBox::AddColor(const QString& text, TColor color) {
  const int at = otherColorsIndex_ < 0 ? count() : otherColorsIndex_;
  insertItem(at, Swatch(color), text, QVariant::fromValue<quint32>(color));
  if (otherColorsIndex_ >= 0) ++otherColorsIndex_;
  return at;
}

TColor ColorBox::Color() const {
  const QVariant data = itemData(currentIndex());
  return data.isValid() ? data.value<quint32>() : clBlack;
}

void ColorBox::SetColor(TColor color) {
  int index = findData(QVariant::fromValue<quint32>(color));
  if (index < 0) index = AddColor(QString::fromStdString(ColorToString(color)), color);
  setCurrentIndex(index);
  lastIndex_ = index;
}

void ColorBox::OnActivated(int index) {
  if (index != otherColorsIndex_) {
    lastIndex_ = index;
    return;
  }
  const QColor chosen =
      QColorDialog::getColor(ToQColor(Color()), this, QStringLiteral("Farbe auswählen"));
  if (chosen.isValid()) {
    SetColor(FromQColor(chosen));
  } else {
    setCurrentIndex(lastIndex_);
  }
}

}  // namespace vemora::ui
