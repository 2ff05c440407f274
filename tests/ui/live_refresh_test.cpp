// The window follows another host's writes to the shared catalogue by itself: rows come,
// change and go while the user keeps focus, marks and an open cell editor.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "ui/live_refresh.h"
#include "window_fixture.h"

namespace vemora {
namespace {

class LiveRefreshTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    for (int key = 1; key <= 4; ++key) Insert("bild" + std::to_string(key), "", "", key);
    other = std::make_unique<gateways::SqliteGateway>((root / "catalogue.db").string());
  }
  std::string Note() const { return Find<QLabel>("liveNote")->text().toStdString(); }

  std::unique_ptr<gateways::SqliteGateway> other;  // another workstation's connection
};

TEST_F(LiveRefreshTest, AnotherHostsRowsAppearChangeAndGoWhileFocusAndMarksStay) {
  ui::TForm1& window = Open(true);
  SetMark(1, true);
  SetMark(3, true);
  window.FocusRecord(2);

  testing::InsertCatalogueRow(*other, "fremd", "", "", 9);
  other->ExecSQL("UPDATE Bilder SET Name = 'umbenannt' WHERE BildCtr2 = 4", 4);
  other->ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 2", 4);
  WaitFor([&] { return Names().size() == 4 && Names().back() == "fremd"; });

  EXPECT_EQ(Names(), (std::vector<std::string>{"bild1", "bild3", "umbenannt", "fremd"}));
  EXPECT_EQ(Grid()->currentIndex().row(), 1);  // still "bild3"
  EXPECT_EQ(MarkedList(), std::vector<std::string>{"umbenannt"});
  EXPECT_EQ(CountText(), "Anzahl Bilder: 4");
  EXPECT_EQ(Cell(2, kItemName).toString().toStdString(), "umbenannt");
  EXPECT_EQ(Note(),
            "Von einem anderen Arbeitsplatz: 1 Bild hinzugefügt, 1 Bild geändert, 1 Bild gelöscht");
}

// A command with a dialog open holds record positions: the grid waits until it closes.
TEST_F(LiveRefreshTest, NothingMovesWhileADialogIsOpen) {
  Open();
  QDialog dialog;
  dialog.show();
  testing::InsertCatalogueRow(*other, "fremd", "", "", 9);
  auto* live = form->findChild<ui::LiveRefresh*>();
  ASSERT_NE(live, nullptr);
  live->Tick();
  EXPECT_EQ(Names().size(), 4u);
  dialog.close();
  WaitFor([&] { return Names().size() == 5; });
}

// An open cell editor keeps its row until the edit ends; then an edit of a row changed
// elsewhere asks with both values.
TEST_F(LiveRefreshTest, AnOpenCellEditorKeepsItsRowUntilTheEditEndsAndThenAsks) {
  Open();
  QLineEdit* editor = EditCell<QLineEdit>(0, kItemName);
  ASSERT_NE(editor, nullptr);
  editor->setText("hier");
  other->ExecSQL("UPDATE Bilder SET Name = 'dort' WHERE BildCtr2 = 1", 4);
  testing::InsertCatalogueRow(*other, "fremd", "", "", 9);
  WaitFor([&] { return Names().size() == 5; });
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text().toStdString(), "hier");
  EXPECT_EQ(Names().front(), "bild1");
  EXPECT_EQ(Note(), "1 Bild von einem anderen Arbeitsplatz hinzugefügt");

  answers = {"&Nein"};
  Grid()->setCurrentIndex(Grid()->model()->index(1, kItemName));  // ends the edit
  WaitFor([&] { return !messages.empty(); });
  EXPECT_EQ(messages.size(), 1u);  // the question with both values, answered No
  EXPECT_EQ(testing::ColumnValues(*gateway, "Name").front(), "dort");
  // Released after the edit, the other host's value reaches the grid.
  WaitFor([&] { return Names().front() == "dort"; });
}

}  // namespace
}  // namespace vemora
