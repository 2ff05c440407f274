// TFormWait4ExtAppl offscreen with stand-in paint programs: its captions, the changed and
// unchanged states, and cancelling while the program still runs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <utime.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "ui/editor_wait_dialog.h"

namespace vemora {
namespace {

using testing::FindNamed;

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
