// TBildDelete: asks whether to delete only the focused image or all marked ones. The mode
// chosen last is kept in settings.ini [SETTINGS] DELMODE and chosen again next time.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "catalogue/catalogue_dialogs.h"

class QListWidget;
class QPushButton;
class QRadioButton;

namespace vemora {
class TIniPlus;
}

namespace vemora::ui {

class TBildDelete : public QDialog {
  Q_OBJECT

 public:
  TBildDelete(QWidget* parent, TIniPlus& settings, const std::string& focusedName,
              const std::vector<std::string>& markedNames);

  DeleteChoice Choice() const { return choice_; }

  // "Abbrechen", and Escape, which must never mean "delete".
  void reject() override;

 private:
  void ApplyMode(bool deleteMarked, bool remember);

  TIniPlus& settings_;
  DeleteChoice choice_;
  QRadioButton* focusedMode_;
  QRadioButton* markedMode_;
  QListWidget* focusedList_;
  QListWidget* markedList_;
  QPushButton* deleteFocused_;
  QPushButton* deleteMarked_;
};

}  // namespace vemora::ui
