// Qt's own dialogs and buttons in German: the file dialog's "Suchen in", "Dateiname",
// "Öffnen", the message boxes' buttons. Qt's German translations are loaded once per
// process, unless the host has installed German texts for Qt itself.
#pragma once

namespace vemora::ui {

void EnsureGermanQtTexts();

}  // namespace vemora::ui
