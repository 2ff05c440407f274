// The upper part of the search dialog: the two pages of criteria ("Textsuche",
// "Erweitert") and the conversion between their controls and a SearchOptionSet.
//
// Controls carry the names the rest of the system uses (CFeldSuchbegriffe, eText1,
// eDatumVon, ...). Texts that do not read as a date or a number switch their criterion off
// when the criteria are read; nothing is reported.
#pragma once

#include <QTabWidget>

#include "search/search_options.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vemora::ui {

class SearchCriteriaPanel : public QTabWidget {
  Q_OBJECT

 public:
  explicit SearchCriteriaPanel(QWidget* parent = nullptr);

  SearchOptionSet ReadOptionsFromDialog() const;
  void ShowOptionsInDialog(const SearchOptionSet& options);

 private:
  QWidget* BuildTextPage();
  QWidget* BuildExtendedPage();
  // A date later in eDatumVon than in eDatumBis makes the two swap.
  void OrderDates();

  QCheckBox* fieldKeywords_;
  QCheckBox* fieldDescription_;
  QCheckBox* fieldPath_;
  QCheckBox* fieldName_;
  QCheckBox* fieldCaptions_;
  QComboBox* kinds_[3];
  QLineEdit* terms_[3];
  QCheckBox* wholeWords_;
  QCheckBox* matchCase_;
  QCheckBox* dateRange_;
  QLineEdit* dateFrom_;
  QLineEdit* dateTo_;
  QCheckBox* age_;
  QComboBox* ageKind_;
  QSpinBox* ageCount_;
  QComboBox* ageUnit_;
  QCheckBox* width_;
  QComboBox* widthKind_;
  QLineEdit* widthValue_;
  QCheckBox* height_;
  QComboBox* heightKind_;
  QLineEdit* heightValue_;
};

}  // namespace vemora::ui
