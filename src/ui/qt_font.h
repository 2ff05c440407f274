// Fonts as settings.ini stores them (FontAttributes) and as Qt draws them.
#pragma once

#include <QFont>

#include "settings/font.h"

namespace vemora::ui {

QFont ToQFont(const FontAttributes& attributes);
// The colour is not part of a QFont; it is carried over from `color`.
FontAttributes FromQFont(const QFont& font, TColor color);

}  // namespace vemora::ui
