// TResizeForm offscreen: starting values, how the fields feed each other and the size text,
// the three panel layouts, and the three ways out.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/qt_application.h"
#include "ui/resize_dialog.h"

namespace vemora {
namespace {

using testing::FindNamed;

class ResizeDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void SetUp() override {
    dialog = std::make_unique<ui::TResizeForm>(nullptr);
    dialog->show();
  }
  template <typename T = QWidget>
  T* Named(const char* name) {
    return FindNamed<T>(dialog.get(), name);
  }
  std::string SizeText() { return Named<QLabel>("sizeText")->text().toStdString(); }
  int VisiblePanelHeights() {
    int height = 0;
    for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel6", "Panel7"})
      if (Named(name)->isVisible()) height += Named(name)->height();
    return height;
  }

  std::unique_ptr<ui::TResizeForm> dialog;
};

TEST_F(ResizeDialogTest, StartsWithTheStrongSuggestionAndFeedsTheLimitsAndSizeText) {
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Einstellungen zur Skalierung");
  EXPECT_EQ(Named<QLineEdit>("widthEdit")->text().toStdString(), "800");
  EXPECT_EQ(Named<QLineEdit>("heightEdit")->text().toStdString(), "800");
  EXPECT_EQ(SizeText(), "  6.77 x   6.77 cm");
  EXPECT_EQ(Named<QComboBox>("filterList")->currentText().toStdString(), "Triangle");
  EXPECT_EQ(Named<QComboBox>("colourFormatList")->currentText().toStdString(), "16 Mio Farben");
  EXPECT_FALSE(Named("filterList")->isEnabled());
  Named<QCheckBox>("interpolateBox")->setChecked(true);
  EXPECT_TRUE(Named("filterList")->isEnabled());
  EXPECT_TRUE(Named("colourFormatList")->isEnabled());

  Named<QComboBox>("suggestionList")->setCurrentIndex(2);
  EXPECT_EQ(Named<QLineEdit>("combinedEdit")->text().toStdString(), "1600");
  Named<QComboBox>("printQualityList")->setCurrentIndex(1);  // changes only the text
  EXPECT_EQ(SizeText(), "  6.77 x   6.77 cm");
  // A field that is no number keeps the limit it had.
  Named<QLineEdit>("heightEdit")->setText("12a");
  EXPECT_EQ(SizeText(), "  6.77 x   6.77 cm");
  Named<QLineEdit>("heightEdit")->setText("0");
  EXPECT_EQ(SizeText(), "<Keine Angabe möglich>");
  EXPECT_EQ(Named<QLineEdit>("widthEdit")->maxLength(), 10);

  Named<QComboBox>("filterList")->setCurrentIndex(4);
  Named<QPushButton>("okButton")->click();
  const ResizeDialogResult result = dialog->Result();
  EXPECT_EQ(result.outcome, ResizeOutcome::Ok);
  EXPECT_EQ(result.widthText, "1600");
  EXPECT_EQ(result.heightText, "0");
  EXPECT_TRUE(result.interpolate);
  EXPECT_EQ(result.filter, 4);
  EXPECT_FALSE(result.markedOnly);
}

TEST_F(ResizeDialogTest, RightClicksOnTheFirstPanelSwitchTheLayout) {
  struct Case {
    Qt::KeyboardModifiers modifiers;
    bool limits, filter;
  };
  for (const Case& c : {Case{Qt::ControlModifier, false, true},
                        Case{Qt::ControlModifier | Qt::AltModifier, true, true},
                        Case{Qt::NoModifier, false, false}}) {
    QTest::mouseClick(Named("Panel1"), Qt::RightButton, c.modifiers, QPoint(5, 5));
    EXPECT_EQ(Named("Panel3")->isVisible(), c.limits);
    EXPECT_EQ(Named("Panel5")->isVisible(), c.filter);
    EXPECT_EQ(dialog->height(), VisiblePanelHeights());
  }
}

TEST_F(ResizeDialogTest, TheExportButtonClosesWithoutOk) {
  auto* exportButton = Named<QPushButton>("cxButton1");
  EXPECT_EQ(exportButton->text().toStdString(), "\"Bild->Datei->Exportieren..\"");
  exportButton->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Result().outcome, ResizeOutcome::ExportRequested);
  dialog = std::make_unique<ui::TResizeForm>(nullptr);
  dialog->show();
  Named<QPushButton>("cancelButton")->click();
  EXPECT_EQ(dialog->Result().outcome, ResizeOutcome::Cancelled);
}

}  // namespace
}  // namespace vemora
