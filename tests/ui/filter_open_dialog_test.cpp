// TFFilterOpen offscreen over a SQLite catalogue: the names in the database's order, open,
// delete after asking, cancel, and the notice when nothing is selected.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "search/saved_sets.h"
#include "sqlite_catalogue_fixture.h"
#include "support/qt_application.h"
#include "ui/filter_open_dialog.h"
#include "ui/keyword_tree_combo.h"

namespace vemora {
namespace {

using testing::FindNamed;
using testing::ItemTexts;

class FilterOpenDialogTest : public testing::SqliteCatalogueTest {
 protected:
  void SetUp() override {
    SqliteCatalogueTest::SetUp();
    for (const char* name : {"Zoo", "Auto", "O'Neil"}) {
      prompter.texts = {name};
      SaveSearchOptions(*gateway, prompter, {});
    }
    prompter.shown.clear();
  }
};

TEST_F(FilterOpenDialogTest, ListsOpensDeletesAndCancels) {
  ui::TFFilterOpen picker(*gateway, &prompter);
  EXPECT_EQ(picker.windowTitle().toStdString(), "Suchoptionen laden");
  picker.show();
  auto* list = FindNamed<QListWidget>(&picker, "optionSetList");
  EXPECT_EQ(ItemTexts(list), (std::vector<std::string>{"Zoo", "Auto", "O'Neil"})) << "not sorted";
  EXPECT_EQ(FindNamed<QPushButton>(&picker, "deleteButton")->toolTip().toStdString(),
            "ausgewählte Suchoptionen löschen");

  FindNamed<QPushButton>(&picker, "openButton")->click();
  FindNamed<QPushButton>(&picker, "deleteButton")->click();
  EXPECT_EQ(prompter.shown,
            (std::vector<std::string>{"Bitte wählen Sie zuerst Suchoptionen aus.",
                                      "Bitte wählen Sie zuerst Suchoptionen aus."}));
  EXPECT_TRUE(picker.isVisible());

  list->setCurrentRow(2);
  prompter.answers = {Answer::No, Answer::Yes};
  picker.Delete();
  EXPECT_EQ(ItemTexts(list).size(), 3u);
  list->setCurrentRow(2);
  picker.Delete();
  EXPECT_EQ(prompter.shown.back(), "Möchten Sie die Suchoptionen \"O'Neil\" löschen ?'");
  EXPECT_EQ(ItemTexts(list), (std::vector<std::string>{"Zoo", "Auto"}));
  EXPECT_TRUE(picker.isVisible());

  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  EXPECT_EQ(picker.ChosenName(), "Auto");

  picker.show();
  FindNamed<QPushButton>(&picker, "cancelButton")->click();
  EXPECT_EQ(picker.result(), QDialog::Rejected);
  EXPECT_EQ(picker.ChosenName(), "");
}

TEST(KeywordTreeTest, AnyNodeIsChosenAndTheActionsCarryTheirTexts) {
  testing::EnsureApplication();
  ui::KeywordTreeCombo tree;
  EXPECT_EQ(tree.ChosenKeyword(), "");
  tree.Choose(4);
  EXPECT_EQ(tree.ChosenKeyword(), "Status");
  tree.Choose(3, 5);
  EXPECT_EQ(tree.ChosenKeyword(), "techn. Zeichnung");
  EXPECT_EQ(tree.currentText().toStdString(), "techn. Zeichnung");

  QObject owner;
  ui::KeywordActions actions(&owner);
  EXPECT_EQ(actions.addAction()->text().toStdString(), "Auswahl hinzufügen");
  EXPECT_EQ(actions.replaceAction()->text().toStdString(), "durch Auswahl ersetzen");
  QWidget toolbarArea;
  QWidget* combo = actions.treeAction()->requestWidget(&toolbarArea);
  auto* shown = qobject_cast<ui::KeywordTreeCombo*>(combo);
  ASSERT_NE(shown, nullptr);
  shown->Choose(1, 3);
  EXPECT_EQ(actions.ChosenKeyword(), "Bild - JPG");
  actions.SetEnabled(false);
  EXPECT_FALSE(actions.addAction()->isEnabled());
  EXPECT_FALSE(actions.treeAction()->isEnabled());
}

}  // namespace
}  // namespace vemora
