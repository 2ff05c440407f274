// TFFilter offscreen over a SQLite catalogue: the criteria controls both ways, a search with
// its result list, detail pane and "Auswahl" toolbar, the take-over by path, and saved sets
// run through the dialog. File dates and sizes come from a fake with a fixed "today".
// TFFilterOpen: the names in the database's order, open, delete after asking, cancel, and the
// notice when nothing is selected; the keyword tree.
#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "gateways/catalogue_rows.h"
#include "search/date_serial.h"
#include "search/saved_sets.h"
#include "sqlite_catalogue_fixture.h"
#include "support/pictures.h"
#include "support/qt_application.h"
#include "ui/filter_open_dialog.h"
#include "ui/keyword_tree_combo.h"
#include "ui/search_dialog.h"
#include "ui/search_result_model.h"

namespace vemora {
namespace {

using testing::FindNamed;

// Dates and sizes by path; unknown paths are missing files.
class FakeFiles : public SearchFileReader {
 public:
  double FileDate(const std::string& path) override {
    return path == "/b/garten.jpg" ? DateTimeSerial({2024, 3, 15, 10, 0, 0}) : 0;
  }
  std::optional<PixelSize> ImageSize(const std::string& path) override {
    if (path == "/b/garten.jpg") return PixelSize{640, 480};
    return std::nullopt;
  }
};

class SearchDialogTest : public testing::SqliteCatalogueTest {
 protected:
  void SetUp() override {
    SqliteCatalogueTest::SetUp();
    // Two records share the garden file; the third has none on disk.
    const char* const rows[][3] = {{"Garten", "/b/garten.jpg", "Hobby\r\nUrlaub"},
                                   {"Garten Kopie", "/b/garten.jpg", ""},
                                   {"Haus", "/b/haus.jpg", "Arbeit"}};
    for (int i = 0; i < 3; ++i) {
      testing::InsertCatalogueRow(*gateway, rows[i][0], testing::TestJpeg(60, 40), "", 100 + i);
      GridRecord record;
      record.name = rows[i][0];
      record.filePath = rows[i][1];
      record.suchbegriffe = rows[i][2];
      record.key = 100 + i;
      grid.Append(record);
    }
    ui::TFFilter::Setup setup;
    setup.gateway = gateway.get();
    setup.prompter = &prompter;
    setup.help = [this] { ++helpCalls; };
    setup.files = std::make_unique<FakeFiles>();
    setup.today = DaySerial(2024, 3, 15);
    dialog = std::make_unique<ui::TFFilter>(grid, std::move(setup));
    tester = std::make_unique<QAbstractItemModelTester>(
        dialog->ResultModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  }

  void Search(const char* term) {
    FindNamed<QLineEdit>(dialog.get(), "eText1")->setText(QString::fromUtf8(term));
    FindNamed<QPushButton>(dialog.get(), "startSearchButton")->click();
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    const auto* model = dialog->ResultModel();
    for (int row = 0; row < model->rowCount(); ++row) {
      texts.push_back(
          column == 0
              ? (model->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked ? "x" : "-")
              : model->index(row, column).data().toString().toStdString());
    }
    return texts;
  }
  QAction* ToolAction(const char* name) const {
    return FindNamed<QAction>(FindNamed<QToolBar>(dialog.get(), "selectionToolBar"), name);
  }

  CatalogueGrid grid;
  int helpCalls = 0;
  std::unique_ptr<ui::TFFilter> dialog;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(SearchDialogTest, CriteriaGoBothWaysAndUnreadableValuesSwitchTheirTestOff) {
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Galeriekasten durchsuchen");
  EXPECT_EQ(dialog->ReadOptionsFromDialog(), SearchOptionSet{});

  SearchOptionSet options;
  options.Feldsuchbegriffe = options.FeldBeschriftung = false;
  options.TextArt1 = kTermNot;
  options.Text1 = "Baum";
  options.TextArt2 = kConnectAndNot;
  options.Text2 = "Haus";
  options.GanzeWoerter = options.DatumZwischen = options.DatumAlter = true;
  options.DatumVon = DaySerial(2010, 1, 1);
  options.DatumBis = DaySerial(2024, 12, 31);
  options.DatumArt = kAgeOlderThan;
  options.DatumAnzahl = 300;
  options.DatumZeit = kAgeYears;
  options.Breite = options.Hoehe = true;
  options.BreiteArt = kSizeEqual;
  options.HoeheWert = 1200;
  dialog->ShowOptionsInDialog(options);
  EXPECT_EQ(FindNamed<QLineEdit>(dialog.get(), "eDatumVon")->text(), "01.01.2010");
  EXPECT_EQ(dialog->ReadOptionsFromDialog(), options);

  auto* from = FindNamed<QLineEdit>(dialog.get(), "eDatumVon");
  auto* to = FindNamed<QLineEdit>(dialog.get(), "eDatumBis");
  from->setText("05.05.2030");
  emit from->editingFinished();
  EXPECT_EQ(from->text(), "31.12.2024");
  EXPECT_EQ(to->text(), "05.05.2030");

  to->setText("31.02.2024");
  FindNamed<QLineEdit>(dialog.get(), "eBreiteWert")->setText("abc");
  const SearchOptionSet read = dialog->ReadOptionsFromDialog();
  EXPECT_FALSE(read.DatumZwischen);
  EXPECT_EQ(read.DatumVon, DaySerial(2024, 12, 31));
  EXPECT_EQ(read.DatumBis, 0);
  EXPECT_FALSE(read.Breite);
  EXPECT_TRUE(read.Hoehe);
}

TEST_F(SearchDialogTest, SearchListsDetailsChecksAndTakesOverByPath) {
  dialog->show();
  auto* hint = FindNamed<QLabel>(dialog.get(), "hintPanel");
  auto* toolBar = FindNamed<QToolBar>(dialog.get(), "selectionToolBar");
  EXPECT_TRUE(hint->isVisible());
  EXPECT_FALSE(toolBar->isVisible());

  Search("garten");
  EXPECT_FALSE(hint->isVisible());
  EXPECT_TRUE(toolBar->isVisible());
  EXPECT_EQ(Column(1), (std::vector<std::string>{"Garten", "Garten Kopie"}));
  EXPECT_EQ(Column(3), (std::vector<std::string>{"0", "1"}));

  // The detail pane reads the file's facts and fetches the stored picture by key.
  auto* list = FindNamed<QTableView>(dialog.get(), "resultList");
  list->setCurrentIndex(dialog->ResultModel()->index(0, 1));
  EXPECT_EQ(FindNamed<QLabel>(dialog.get(), "detailDate")->text(), "15.03.2024 10:00:00");
  EXPECT_EQ(FindNamed<QLabel>(dialog.get(), "detailSize")->text(), "640 x 480 Pixel");
  EXPECT_FALSE(FindNamed<QLabel>(dialog.get(), "resultPreview")->pixmap().isNull());

  // A user's click goes into the snapshot; "Alles", "Keines", "Invertieren" do not.
  dialog->ResultModel()->setData(dialog->ResultModel()->index(1, 0), Qt::Checked,
                                 Qt::CheckStateRole);
  ToolAction("invertChecksAction")->trigger();
  EXPECT_EQ(Column(0), (std::vector<std::string>{"x", "-"}));
  ToolAction("checkAllAction")->trigger();
  ToolAction("checkNoneAction")->trigger();
  EXPECT_EQ(Column(0), (std::vector<std::string>{"-", "-"}));
  Search("Garten");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"-", "x"})) << "the click survives a search";

  QSignalSpy takenOver(dialog.get(), &ui::TFFilter::SelectionTakenOver);
  ToolAction("takeOverAction")->trigger();
  ASSERT_EQ(takenOver.count(), 1);
  const auto paths = takenOver.at(0).at(0).value<std::vector<std::string>>();
  EXPECT_EQ(paths, std::vector<std::string>{"/b/garten.jpg"});

  Search("Scheune");
  EXPECT_EQ(prompter.shown.back(), "Die Suche war leider erfolglos.");
  EXPECT_FALSE(toolBar->isVisible());

  dialog->ShowOptionsInDialog({});
  Search("Haus");
  list->setCurrentIndex(dialog->ResultModel()->index(0, 1));
  EXPECT_EQ(FindNamed<QLabel>(dialog.get(), "detailDate")->text(), "-");
  EXPECT_EQ(FindNamed<QLabel>(dialog.get(), "detailSize")->text(), "-");

  FindNamed<QPushButton>(dialog.get(), "helpButton")->click();
  EXPECT_EQ(helpCalls, 1);
}

TEST_F(SearchDialogTest, SavedSetsAreSavedFromAndRunInTheDialog) {
  dialog->show();
  FindNamed<QLineEdit>(dialog.get(), "eText1")->setText("Urlaub");
  FindNamed<QLineEdit>(dialog.get(), "eDatumVon")->setText("kein Datum");
  prompter.texts = {"Ferien"};
  FindNamed<QPushButton>(dialog.get(), "saveOptionsButton")->click();
  const auto stored = LoadSearchOptions(*gateway, "Ferien");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->Text1, "Urlaub");
  EXPECT_FALSE(stored->DatumZwischen);

  dialog->ShowOptionsInDialog({});
  const size_t messages = prompter.shown.size();
  dialog->ApplySavedSet("Ferien");
  auto* panel = FindNamed<QGroupBox>(dialog.get(), "optionsPanel");
  EXPECT_EQ(panel->title().toStdString(), "Suchoptionen [Ferien]");
  EXPECT_EQ(FindNamed<QLineEdit>(dialog.get(), "eText1")->text(), "Urlaub");
  EXPECT_EQ(Column(1), std::vector<std::string>{"Garten"});
  EXPECT_TRUE(FindNamed<QToolBar>(dialog.get(), "selectionToolBar")->isVisible());

  // A set deleted elsewhere: nothing loads, the caption still names it, no message.
  dialog->ApplySavedSet("weg");
  EXPECT_EQ(panel->title().toStdString(), "Suchoptionen [weg]");
  EXPECT_EQ(Column(1), std::vector<std::string>{"Garten"});
  EXPECT_EQ(prompter.shown.size(), messages);
}

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
  picker.Delete();  // the question's text is the core's (saved_sets_test.cpp)
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
