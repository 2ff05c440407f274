// The command groups that open dialogs of their own, driven through the window: the search
// marks what the user takes over, the keyword commands write the focused record, "Hilfe"
// hands its page to the desktop.
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "platform/desktop.h"
#include "search/search_options.h"
#include "support/fake_programs.h"
#include "support/fake_xdg_open.h"
#include "ui/editor_wait_dialog.h"
#include "ui/keyword_tree_combo.h"
#include "ui/search_dialog.h"
#include "ui/search_result_model.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::ColumnValues;

class GroupsTest : public testing::WindowTest {
 protected:
  void InsertThree() {
    Insert("Garten", "B", "", 1);
    Insert("Haus", "B", "", 2);
    Insert("Gartenhaus", "B", "", 3);
  }
};

TEST_F(GroupsTest, SearchMarksTheRecordsTheUserTakesOver) {
  Open();
  EXPECT_FALSE(Action("searchAction")->isEnabled()) << "nothing to search yet";
  form.reset();
  InsertThree();
  ui::TForm1& window = Open();
  EXPECT_TRUE(Action("searchAction")->isEnabled());
  SetMark(1, true);

  bool answered = false;
  QTimer answerer;
  answerer.setInterval(10);
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<ui::TFFilter*>(QApplication::activeModalWidget());
    if (dialog == nullptr || answered) return;
    answered = true;
    SearchOptionSet options;
    options.Text1 = "Garten";
    options.FeldBezeichnung = true;
    dialog->RunSearch(options);
    dialog->ResultModel()->SetAllChecked(true);
    dialog->TakeOverSelection();
    dialog->accept();
  });
  answerer.start();
  Action("searchAction")->trigger();

  EXPECT_TRUE(answered);
  EXPECT_EQ(window.grid().Marks(), (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(GroupsTest, KeywordCommandsWriteTheFocusedRecordAtOnce) {
  InsertThree();
  ui::TForm1& window = Open();
  window.FocusRecord(1);
  auto* tree = Find<ui::KeywordTreeCombo>("dxBarTreeViewCombo1");
  tree->Choose(0, 0);
  const std::string keyword = tree->ChosenKeyword();
  ASSERT_FALSE(keyword.empty());

  Action("dxBarButton18")->trigger();  // "durch Auswahl ersetzen"
  Action("dxBarButton19")->trigger();  // "Auswahl hinzufügen"
  EXPECT_EQ(ColumnValues(*gateway, "Suchbegriffe"),
            (std::vector<std::string>{"Urlaub", keyword + "\r\n" + keyword, "Urlaub"}));
  EXPECT_EQ(Cell(1, kItemSuchbegriffe).toString().toStdString(), keyword + "\r\n" + keyword);
}

TEST_F(GroupsTest, HelpOpensTheMainWindowsPageOrSaysWhyNot) {
  testing::FakeXdgOpen desktop(root);
  Open();
  const std::filesystem::path page = platform::HelpFolder() / "hauptfenster.html";
  Action("helpAction")->trigger();
  if (std::filesystem::exists(page))
    EXPECT_EQ(desktop.Opened(1), page.string() + "\n");
  else
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(GroupsTest, HandOffCommandsAreInTheImageMenuTheContextMenuAndTheOutputSection) {
  Open();
  for (const char* name : {"dxBarLargeButton8", "dxBarLargeButton16", "dxBarLargeButton14"}) {
    QAction* action = Action(name);
    for (const char* place : {"imageMenu", "gridContextMenu", "mainToolbar"}) {
      EXPECT_TRUE(Find<QWidget>(place)->actions().contains(action)) << name << " in " << place;
    }
  }
  EXPECT_FALSE(Action("dxBarLargeButton8")->isEnabled()) << "no image to edit";
  EXPECT_FALSE(Action("dxBarLargeButton14")->isEnabled()) << "no image to send";
}

TEST_F(GroupsTest, AnImageEditedInThePaintProgramReplacesTheStoredOne) {
  Insert("Garten", "gespeichert", "", 1);
  const std::string edited = testing::TestJpeg(30, 20, 5);
  std::ofstream(root / "edited.jpg", std::ios::binary) << edited;
  testing::FakePrograms programs(root);
  programs.Add("kolourpaint", "cp '" + (root / "edited.jpg").string() +
                                  "' \"$1\"; touch -d '2031-01-01 12:00:00' \"$1\"");
  ui::TForm1& window = Open();
  window.FocusRecord(0);

  // The wait dialog runs modally: start the program, then take the edit back.
  QTimer user;
  user.setInterval(10);
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* wait = qobject_cast<ui::TFormWait4ExtAppl*>(QApplication::activeModalWidget());
    if (wait == nullptr) return;
    auto* start = wait->findChild<QPushButton*>("startButton");
    auto* replace = wait->findChild<QPushButton*>("replaceButton");
    if (start->isEnabled()) start->click();
    if (replace->isEnabled()) replace->click();
  });
  user.start();
  Action("dxBarLargeButton8")->trigger();

  EXPECT_TRUE(ColumnValues(*gateway, "Bild")[0] == edited);
  EXPECT_EQ(std::filesystem::path(*window.grid().Record(0).filePath).filename(), "Garten.jpg");
  EXPECT_EQ(CountText(), "Anzahl Bilder: 1");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vemora
