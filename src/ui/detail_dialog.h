// TFDetail ("Detailansicht"): the focused record's seven descriptive texts to edit, with its
// file name and the size of the picture the single-image view shows.
//
// The dialog only gathers the texts; RunDetailCommand writes the confirmed ones through the
// core (record_details.h), so grid record and catalogue row change together.
#pragma once

#include <QDialog>
#include <cstdint>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"
#include "catalogue/record_details.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vemora::ui {

class TFDetail : public QDialog {
  Q_OBJECT

 public:
  // `pictureWidth` and `pictureHeight`: the picture the single-image view shows now.
  TFDetail(QWidget* parent, const GridRecord& record, int32_t pictureWidth, int32_t pictureHeight);

  // Set by "OK"; Texts() then holds what the user confirmed.
  bool Accepted() const { return accepted_; }
  const RecordTexts& Texts() const { return texts_; }

 private:
  void Confirm();

  bool accepted_ = false;
  RecordTexts texts_;
  QLineEdit* name_;
  QPlainTextEdit* beschreibung_;
  QLineEdit* top_;
  QLineEdit* bottom_;
  QLineEdit* left_;
  QLineEdit* right_;
  QPlainTextEdit* suchbegriffe_;
};

// "Details": shows TFDetail for the focused record and writes what the user confirms.
// Returns true when the focused record's texts changed (the grid row to repaint is
// grid.focused); false when nothing is focused, the user cancelled or nothing differed.
// A failed write throws after the texts written so far are in both grid and catalogue.
bool RunDetailCommand(QWidget* parent, CatalogueSession& session, CatalogueGrid& grid,
                      int32_t pictureWidth, int32_t pictureHeight);

}  // namespace vemora::ui
