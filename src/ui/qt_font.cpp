#include "ui/qt_font.h"

#include <algorithm>

namespace vemora::ui {

QFont ToQFont(const FontAttributes& attributes) {
  QFont font(QString::fromStdString(attributes.face_name));
  font.setPointSize(std::max(1, attributes.size));
  font.setBold(attributes.bold);
  font.setItalic(attributes.italic);
  font.setUnderline(attributes.underline);
  font.setStrikeOut(attributes.strike_out);
  return font;
}

FontAttributes FromQFont(const QFont& font, TColor color) {
  FontAttributes attributes;
  attributes.face_name = font.family().toStdString();
  attributes.size = font.pointSize() > 0 ? font.pointSize() : 10;
  attributes.bold = font.bold();
  attributes.italic = font.italic();
  attributes.underline = font.underline();
  attributes.strike_out = font.strikeOut();
  attributes.color = color;
  return attributes;
}

}  // namespace vemora::ui
