// The main window's three looks ("Standard", "Office11", "XP"), as style sheets for its
// toolbars, docking captions, menu bar and status bar. Only the window's own chrome is
// styled: the host's other windows and the dialogs' contents keep the application's style.
#pragma once

#include <QString>

namespace vemora::ui {

// As [STYLE] st numbers them.
enum class WindowStyle { Standard = 0, Office11 = 1, Xp = 2 };

QString WindowStyleSheet(WindowStyle style);

}  // namespace vemora::ui
