// The commands that change the catalogue, driven through the window end to end over a real
// SQLite catalogue: the file and delete dialogs scripted, questions answered in their
// message boxes, and a gateway that can fail on a chosen statement. After every command
// the grid, its view and the table agree row for row. And the window following another
// host's writes by itself: rows come, change and go while the user keeps focus, marks and an
// open cell editor.
#include <QAction>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include "catalogue/failing_gateway.h"
#include "catalogue/scripted_dialogs.h"
#include "catalogue/size_text.h"
#include "codec/tiff.h"
#include "ui/live_refresh.h"
#include "ui/thumbnail_model.h"
#include "ui/thumbnail_strip.h"
#include "window_fixture.h"

namespace vemora {
namespace {

using testing::ColumnValues;
using testing::FlatJpeg;

class ChangeTest : public testing::WindowTest {
 protected:
  ChangeTest() : failing(*gateway) {
    windowGateway = &failing;
    std::filesystem::create_directories(root / "pictures");
  }

  ui::TForm1& OpenScripted() {
    ui::TForm1& window = Open();
    window.SetCatalogueDialogs(&dialogs);
    return window;
  }

  std::string File(const std::string& name, const std::string& bytes) {
    const auto path = root / "pictures" / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::string Jpeg(const std::string& name) { return File(name, FlatJpeg(120, 80)); }

  std::string CellText(int row, int item) const { return Cell(row, item).toString().toStdString(); }

  // The records, the view, the strip and the table hold the same rows in the same order.
  void ExpectGridMatchesTable() {
    const auto keys = ColumnValues(*gateway, "BildCtr2");
    const auto names = ColumnValues(*gateway, "Name");
    const auto descriptions = ColumnValues(*gateway, "Beschreibung");
    const auto& records = form->grid().records();
    ASSERT_EQ(records.size(), keys.size());
    EXPECT_EQ(Grid()->model()->rowCount(), static_cast<int>(records.size()));
    for (size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(std::to_string(records[i].key), keys[i]) << i;
      EXPECT_EQ(records[i].name, names[i]) << i;
      EXPECT_EQ(records[i].beschreibung, descriptions[i]) << i;
      EXPECT_EQ(CellText(static_cast<int>(i), kItemName), names[i]) << i;
    }
    EXPECT_EQ(Strip()->model()->rowCount(), static_cast<int>(records.size()));
    EXPECT_EQ(CountText(), "Anzahl Bilder: " + std::to_string(records.size()));
  }

  testing::FailingGateway failing;
  testing::ScriptedDialogs dialogs;
};

TEST_F(ChangeTest, AddingByDialogGoesOnAfterABadFileAndFocusesTheLast) {
  Insert("alt", "", "", 7);
  ui::TForm1& window = OpenScripted();
  const std::string first = Jpeg("erstes.jpg");
  const std::string last = Jpeg("letztes.jpg");
  const std::string broken = File("kaputt.jpg", "\xFF\xD8 kein Bild");
  dialogs.filesToChoose = {first, broken, last};
  Action("addAction")->trigger();

  EXPECT_EQ(dialogs.fileDialogTitle, "Bilder hinzufügen");
  EXPECT_TRUE(dialogs.fileDialogMultiple);
  EXPECT_EQ(messages, std::vector<std::string>{"Unbekanntes Dateiformat"});
  EXPECT_EQ(dialogs.failedFiles, std::vector<std::string>{broken});
  EXPECT_EQ(Names(), (std::vector<std::string>{"alt", "erstes", "letztes"}));
  EXPECT_EQ(Grid()->currentIndex().row(), 2);
  EXPECT_FALSE(SingleImage()->picture().isNull());
  EXPECT_EQ(CellText(2, kItemSize), RoundedSizeText(std::filesystem::file_size(last)));
  ExpectGridMatchesTable();
  // New thumbnails are captioned by name at once, as after a reload.
  EXPECT_EQ(Strip()->model()->index(2, 0).data().toString(), QStringLiteral("letztes"));
  EXPECT_TRUE(Action("deleteAction")->isEnabled());

  dialogs.filesToChoose.clear();  // cancelled: nothing is added
  Action("addAction")->trigger();
  EXPECT_EQ(window.grid().Count(), 3);
  ExpectGridMatchesTable();
}

// A failure midway through a drop is the core's (changing_test.cpp).
TEST_F(ChangeTest, DroppedFilesAreAdded) {
  ui::TForm1& window = OpenScripted();
  const auto tiffBytes = codec::EncodeTiff(testing::TestPicture(60, 30));
  const std::string tiff = File("scan.tif", std::string(tiffBytes.begin(), tiffBytes.end()));
  const std::string jpeg = Jpeg("foto.jpg");

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(tiff)),
                QUrl(QStringLiteral("https://example.org/fremd.jpg")),
                QUrl::fromLocalFile(QString::fromStdString(jpeg))});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);

  EXPECT_EQ(Names(), (std::vector<std::string>{"scan", "foto"}));
  EXPECT_FALSE(window.grid().Record(0).preview.empty());  // TIFF, though the filter has none
  EXPECT_TRUE(messages.empty());
  ExpectGridMatchesTable();
}

TEST_F(ChangeTest, EditedCellsAreWrittenAtOnceOrShowTheirOldText) {
  Insert("erstes", "", "", 21);
  Insert("zweites", "", "", 22);
  ui::TForm1& window = OpenScripted();
  // A single-line cell commits with Return.
  auto* line = EditCell<QLineEdit>(1, kItemName);
  ASSERT_NE(line, nullptr);
  line->setText(QStringLiteral("Zweites Bild"));
  QTest::keyClick(line, Qt::Key_Return);
  WaitFor([&] { return ColumnValues(*gateway, "Name")[1] == "Zweites Bild"; });
  EXPECT_EQ(Strip()->model()->index(1, 0).data().toString(), QStringLiteral("Zweites Bild"));

  // A failed write is reported and the cell shows its old text again.
  failing.FailOnStatement(1);
  line = EditCell<QLineEdit>(0, kItemTextTop);
  ASSERT_NE(line, nullptr);
  line->setText(QStringLiteral("neu oben"));
  QTest::keyClick(line, Qt::Key_Return);
  WaitFor([&] { return !messages.empty(); });
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages[0].find("injected"), std::string::npos);
  EXPECT_EQ(CellText(0, kItemTextTop), "oben");
  EXPECT_EQ(ColumnValues(*gateway, "TextTop")[0], "oben");

  // A multi-line cell keeps Return for a new line; a command ("Aktualisieren") commits it
  // before it runs, and so does closing the window.
  auto* text = EditCell<QPlainTextEdit>(0, kItemBeschreibung);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->objectName(), "multiLineCellEditor");
  text->setPlainText(QStringLiteral("zwei"));
  text->moveCursor(QTextCursor::End);
  QTest::keyClick(text, Qt::Key_Return);
  QTest::keyClicks(text, QStringLiteral("Zeilen"));
  QApplication::processEvents();  // a commit would be posted by now
  EXPECT_EQ(ColumnValues(*gateway, "Beschreibung")[0], "Beschreibung von erstes");
  window.findChild<QAction*>("refreshAction")->trigger();
  EXPECT_EQ(ColumnValues(*gateway, "Beschreibung")[0], "zwei\r\nZeilen");
  EXPECT_EQ(window.grid().records()[0].beschreibung, "zwei\r\nZeilen");
  text = EditCell<QPlainTextEdit>(1, kItemBeschreibung);
  ASSERT_NE(text, nullptr);
  text->moveCursor(QTextCursor::End);
  QTest::keyClicks(text, QStringLiteral(" und mehr"));
  window.close();
  EXPECT_EQ(ColumnValues(*gateway, "Beschreibung")[1], "Beschreibung von zweites und mehr");
  ExpectGridMatchesTable();
}

// Multi-line cells write CR LF, a cell left unchanged is not written at all (a text with
// LF breaks from another host stays as it is), and a row grows to show a longer text.
TEST_F(ChangeTest, MultiLineCellsKeepTheirBytesAndRowsGrowToFit) {
  Insert("erstes", "", "", 21);
  Insert("zweites", "", "", 22);
  gateway->ExecSQL("UPDATE Bilder SET Beschreibung = 'von Linux\nzweite Zeile'", 4);
  OpenScripted();
  const std::vector<std::string> before = ColumnValues(*gateway, "Beschreibung");

  auto* text = EditCell<QPlainTextEdit>(0, kItemBeschreibung);
  ASSERT_NE(text, nullptr);
  QTest::keyClick(text, Qt::Key_Tab);  // leaves the cell without typing
  QApplication::processEvents();
  EXPECT_EQ(ColumnValues(*gateway, "Beschreibung"), before);

  const int rowHeight = Grid()->rowHeight(1);
  text = EditCell<QPlainTextEdit>(1, kItemSuchbegriffe);
  ASSERT_NE(text, nullptr);
  text->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
  text->moveCursor(QTextCursor::End);
  QTest::keyClick(text, Qt::Key_Return);  // typed, as a user would
  QTest::keyClick(text, Qt::Key_9);
  QTest::keyClick(text, Qt::Key_Tab);
  WaitFor([&] { return ColumnValues(*gateway, "Suchbegriffe")[1] != "Urlaub"; });
  EXPECT_EQ(ColumnValues(*gateway, "Suchbegriffe")[1], "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
  WaitFor([&] { return Grid()->rowHeight(1) > rowHeight; });
}

TEST_F(ChangeTest, NewSourceKeepsTheKeyAndAsksAboutTheName) {
  Insert("ohne", "", "", 22);
  ui::TForm1& window = OpenScripted();
  window.FocusRecord(0);
  auto* singleImage = SingleImage();
  ASSERT_TRUE(singleImage->missingImageShown());

  const std::string neu = Jpeg("neu.jpg");
  dialogs.filesToChoose = {neu};
  answers = {"&Ja"};
  QTest::mouseClick(Find<QPushButton>("missingImageNewSource"), Qt::LeftButton);
  EXPECT_EQ(dialogs.fileDialogTitle, "Quelle ändern");
  EXPECT_FALSE(dialogs.fileDialogMultiple);
  EXPECT_EQ(messages.size(), 1u);  // the question about the name, answered Yes
  EXPECT_EQ(CellText(0, kItemName), "neu");
  EXPECT_EQ(CellText(0, kItemPath), neu);
  EXPECT_FALSE(singleImage->missingImageShown());
  EXPECT_FALSE(singleImage->picture().isNull());
  ExpectGridMatchesTable();
}

TEST_F(ChangeTest, DeletingAsksPlainlyOrWithTheDialog) {
  for (int i = 0; i < 6; ++i) Insert("bild" + std::to_string(i), "", "", 30 + i);
  ui::TForm1& window = OpenScripted();

  // No marks: the plain question; No keeps everything (asked from the strip's Delete key).
  window.FocusRecord(1);
  answers = {"&Nein"};
  QTest::keyClick(Strip(), Qt::Key_Delete);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(window.grid().Count(), 6);
  answers = {"&Ja"};
  Action("deleteAction")->trigger();
  EXPECT_EQ(Names(), (std::vector<std::string>{"bild0", "bild2", "bild3", "bild4", "bild5"}));
  ExpectGridMatchesTable();
  EXPECT_FALSE(dialogs.deleteDialogShown);

  // Marks on other records: the dialog, the marked ones deleted from the highest down.
  SetMark(0, true);
  SetMark(3, true);
  window.FocusRecord(1);
  dialogs.deleteChoice = {false, true};
  Action("deleteAction")->trigger();
  EXPECT_TRUE(dialogs.deleteDialogShown);
  EXPECT_EQ(Names(), (std::vector<std::string>{"bild2", "bild3", "bild5"}));
  ExpectGridMatchesTable();
  EXPECT_EQ(Find<QListWidget>("markedList")->count(), 0);  // the deleted marks are gone

  // "Bild Löschen..." on a record without image: no question.
  window.FocusRecord(0);
  QTest::mouseClick(Find<QPushButton>("missingImageDelete"), Qt::LeftButton);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"bild3", "bild5"}));
  ExpectGridMatchesTable();
}

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
