// The file commands' dialogs offscreen. TBildKonv: its starting state, the two exclusive
// choices, the format's effect on write-back, and a missing target folder offered for
// creation. TResizeForm: starting values, how the fields feed each other and the size text,
// the three panel layouts, and the three ways out. TFormWait4ExtAppl with stand-in paint
// programs: its captions, the changed and unchanged states, and cancelling while the program
// still runs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <utime.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "catalogue/scripted_prompter.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "ui/editor_wait_dialog.h"
#include "ui/export_dialog.h"
#include "ui/resize_dialog.h"

namespace vemora {
namespace {

using testing::FindNamed;

class ExportDialogTest : public testing::TempFolderTest {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void Open(std::vector<std::string> marked) {
    ExportDialogRequest request{"erstes", std::move(marked), folder_.string(), folder_.string()};
    dialog = std::make_unique<ui::TBildKonv>(nullptr, prompter, request);
    dialog->show();
  }
  void Click(const char* name) {
    QTest::mouseClick(FindNamed<QWidget>(dialog.get(), name), Qt::LeftButton);
  }

  testing::ScriptedPrompter prompter;
  std::unique_ptr<ui::TBildKonv> dialog;
};

TEST_F(ExportDialogTest, StartsOnTheFocusedImageAndKeepsTheChoicesApart) {
  Open({"drittes", "<keine Bezeichnung>"});
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Bilder exportieren");
  auto* formats = FindNamed<QComboBox>(dialog.get(), "formatList");
  ASSERT_EQ(formats->count(), 4);
  EXPECT_EQ(formats->currentText().toStdString(), "wie Original");
  EXPECT_EQ(formats->itemText(2).toStdString(), "JPG (komprimiertes Bitmap )");
  EXPECT_EQ(FindNamed<QListWidget>(dialog.get(), "markedList")->count(), 2);
  EXPECT_EQ(FindNamed<QLineEdit>(dialog.get(), "folderEdit")->text().toStdString(),
            folder_.string());
  EXPECT_TRUE(FindNamed<QRadioButton>(dialog.get(), "focusedMode")->isChecked());
  EXPECT_TRUE(FindNamed<QPushButton>(dialog.get(), "exportFocusedButton")->isEnabled());
  EXPECT_FALSE(FindNamed<QPushButton>(dialog.get(), "exportMarkedButton")->isEnabled());
  auto* writeBack = FindNamed<QCheckBox>(dialog.get(), "writeBackBox");
  EXPECT_FALSE(writeBack->isEnabled());

  Click("markedMode");
  EXPECT_FALSE(FindNamed<QListWidget>(dialog.get(), "focusedList")->isEnabled());
  EXPECT_TRUE(FindNamed<QPushButton>(dialog.get(), "exportMarkedButton")->isEnabled());
  formats->setCurrentIndex(3);
  ASSERT_TRUE(writeBack->isEnabled());
  writeBack->setChecked(true);
  Click("exportMarkedButton");
  const ExportDialogResult& result = dialog->Result();
  EXPECT_EQ(result.outcome, ExportOutcome::Marked);
  EXPECT_EQ(result.format, kConvertToTiff);
  EXPECT_TRUE(result.writeBack);
  EXPECT_EQ(result.targetFolder, folder_.string());

  Open({});
  EXPECT_FALSE(FindNamed<QRadioButton>(dialog.get(), "markedMode")->isEnabled());
}

TEST_F(ExportDialogTest, AFolderTypedInIsShownInTheTree) {
  const std::filesystem::path typed = folder_ / "unter" / "tief";
  std::filesystem::create_directories(typed);
  Open({});
  auto* edit = FindNamed<QLineEdit>(dialog.get(), "folderEdit");
  auto* tree = FindNamed<QTreeView>(dialog.get(), "folderTree");
  edit->setText(QString::fromStdString(typed.string()));
  emit edit->editingFinished();
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return tree->currentIndex().data(QFileSystemModel::FilePathRole).toString().toStdString() ==
               typed.string();
      },
      10000));
}

TEST_F(ExportDialogTest, AMissingFolderIsCreatedOnlyOnYesAndCancelKeepsWhatIsShown) {
  Open({});
  const std::string missing = (folder_ / "neu" / "tief").string();
  FindNamed<QLineEdit>(dialog.get(), "folderEdit")->setText(QString::fromStdString(missing));
  prompter.answers = {Answer::No};
  Click("exportFocusedButton");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(prompter.shown.back(),
            "Das Verzeichnis \"" + missing +
                "\" existiert nicht!\r\nMöchten Sie es vor dem Export erstellen?");
  EXPECT_FALSE(std::filesystem::exists(missing));

  Click("exportFocusedButton");  // Yes: made with its parents, and the dialog closes
  EXPECT_TRUE(std::filesystem::is_directory(missing));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Result().outcome, ExportOutcome::Focused);
  EXPECT_EQ(dialog->Result().targetFolder, missing);

  // A folder that cannot be made (a file is in the way) keeps the dialog open.
  PutFile("datei", "x");
  Open({});
  const std::string blocked = PathOf("datei") + "/unter";
  FindNamed<QLineEdit>(dialog.get(), "folderEdit")->setText(QString::fromStdString(blocked));
  Click("exportFocusedButton");
  EXPECT_EQ(prompter.shown.back(),
            "Das Verzeichnis\r\n\"" + blocked + "\"\r\nkonnte nicht erstellt werden");
  EXPECT_TRUE(dialog->isVisible());
  Click("cancelButton");
  EXPECT_EQ(dialog->Result().outcome, ExportOutcome::Cancelled);
  EXPECT_EQ(dialog->Result().targetFolder, "");  // the folder shown does not exist
}

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

class EditorWaitDialogTest : public testing::TempFolderTest {
 protected:
  static void SetUpTestSuite() { testing::EnsureApplication(); }
  void SetUp() override {
    TempFolderTest::SetUp();
    PutFile("bild.jpg", "vorher");
    ::utime(PathOf("bild.jpg").c_str(), nullptr);
  }
  // Opens the dialog on a stand-in paint program running `body` on "$1".
  void Open(const std::string& body) {
    const std::string program = PathOf("maler");
    std::ofstream(program) << "#!/bin/sh\n" << body << "\n";
    ::chmod(program.c_str(), 0755);
    dialog = std::make_unique<ui::TFormWait4ExtAppl>(nullptr);
    dialog->SetRecord({program, PathOf("bild.jpg"), kHandOffNothing});
    dialog->show();
  }
  template <typename T = QWidget>
  T* Named(const char* name) {
    return FindNamed<T>(dialog.get(), name);
  }
  std::string LabelText(const char* name) { return Named<QLabel>(name)->text().toStdString(); }
  void StartAndWaitForResult() {
    Named<QPushButton>("startButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(Named("resultLabel1")->isVisible(), 20000);
  }

  std::unique_ptr<ui::TFormWait4ExtAppl> dialog;
};

TEST_F(EditorWaitDialogTest, ASavedFileOffersBothTakeBacksAndAnUnsavedOneNeither) {
  Open("echo nachher > \"$1\"; touch -d '2031-01-01 12:00:00' \"$1\"");
  const std::string program = "\"" + PathOf("maler") + "\"";
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Warte...");
  EXPECT_EQ(LabelText("applicationLabel"), program + " wurde gestartet. Ihr wurde die");
  EXPECT_EQ(LabelText("fileLabel"), "\"" + PathOf("bild.jpg") + "\" übergeben.");
  EXPECT_EQ(Named<QPushButton>("startButton")->text().toStdString(), "Weiter mit " + program);
  EXPECT_EQ(Named<QGroupBox>("resultGroup")->title().toStdString(), "Ergebnisse von " + program);
  EXPECT_FALSE(Named("resultLabel1")->isVisible());
  EXPECT_FALSE(Named("replaceButton")->isEnabled());

  StartAndWaitForResult();
  EXPECT_EQ(dialog->State(), EditorWaitState::Changed);
  EXPECT_EQ(LabelText("resultLabel1"), "Das Bild \"bild.jpg\" wurde verändert.");
  EXPECT_FALSE(Named("startButton")->isEnabled());
  EXPECT_TRUE(Named("replaceButton")->isEnabled());
  EXPECT_TRUE(Named("addButton")->isEnabled());
  Named<QPushButton>("addButton")->click();
  EXPECT_EQ(dialog->Record().result, kHandOffAdd);
  EXPECT_TRUE(dialog->isHidden());

  Open("exit 0");
  StartAndWaitForResult();
  EXPECT_EQ(dialog->State(), EditorWaitState::Unchanged);
  EXPECT_FALSE(Named("replaceButton")->isEnabled());
  EXPECT_FALSE(Named("addButton")->isEnabled());
}

TEST_F(EditorWaitDialogTest, CancellingWhileTheProgramRunsClosesAtOnceAndLeavesItOpen) {
  Open("echo $$ > '" + PathOf("pid") + "'; exec sleep 60");
  // The wait runs the event loop itself; the cancel arrives from inside it, as a click would.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!Named("startButton")->isEnabled() && !FileBytes("pid").empty()) {
      Named<QPushButton>("cancelButton")->click();
    }
  });
  poll.start(10);
  Named<QPushButton>("startButton")->click();
  QTRY_VERIFY_WITH_TIMEOUT(dialog->isHidden(), 20000);
  EXPECT_EQ(dialog->Record().result, kHandOffCancelled);
  EXPECT_EQ(dialog->State(), EditorWaitState::Start);
  const pid_t program = std::stoi(FileBytes("pid"));
  EXPECT_EQ(::kill(program, 0), 0) << "the paint program must stay open";
  ::kill(program, SIGTERM);
}

}  // namespace
}  // namespace vemora
