// The command groups that open dialogs of their own, driven through the window: the search
// marks what the user takes over, the keyword commands write the focused record, "Hilfe"
// hands its page to the desktop.
#include <QTimer>
#include <filesystem>

#include "platform/desktop.h"
#include "search/search_options.h"
#include "support/fake_xdg_open.h"
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
  EXPECT_EQ(ColumnValues(*gateway, "Suchbegriffe")[1], keyword);
  Action("dxBarButton19")->trigger();  // "Auswahl hinzufügen"
  EXPECT_EQ(ColumnValues(*gateway, "Suchbegriffe")[1], keyword + "\r\n" + keyword);
  EXPECT_EQ(Cell(1, kItemSuchbegriffe).toString().toStdString(), keyword + "\r\n" + keyword);
  EXPECT_EQ(ColumnValues(*gateway, "Suchbegriffe")[0], "Urlaub") << "other rows untouched";
}

TEST_F(GroupsTest, HelpOpensTheMainWindowsPageOrSaysWhyNot) {
  testing::FakeXdgOpen desktop(root);
  Open();
  const std::filesystem::path page = platform::HelpFolder() / "hauptfenster.html";
  if (std::filesystem::exists(page)) {
    Action("helpAction")->trigger();
    EXPECT_EQ(desktop.Opened(1), page.string() + "\n");
  } else {
    Action("helpAction")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Die Hilfe kann nicht angezeigt werden"), std::string::npos);
  }
}

}  // namespace
}  // namespace vemora
