// Hand-offs to other programs on both engines, with stand-ins first on PATH: the editor
// hand-off (a paint program that saves a new picture, one that only looks, one that deletes
// the file, one that stays open), "Externe Anwendung" with a recording stand-in, and
// "Versenden" with an xdg-email that records its arguments and copies its attachments.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "fileops/editor_handoff.h"
#include "fileops/mailing.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"
#include "stored_images_fixture.h"
#include "support/fake_programs.h"
#include "support/pictures.h"

namespace vemora {
namespace {

// Waits like TFormWait4ExtAppl and then presses the button a user would: the scripted
// choice when the file changed, else "den Vorgang abbrechen". cancelAfterSlices > 0 presses
// it while still waiting.
class ScriptedWait : public EditorWaitDialog {
 public:
  void Run(HandOffRecord& record) override {
    shown = record;
    int slices = 0;
    outcome = LaunchEditor(record.application, record.imageFile, true,
                           [&] { return ++slices != cancelAfterSlices; });
    record.result =
        !outcome.aborted && outcome.state == EditorWaitState::Changed ? choice : kHandOffCancelled;
  }
  int32_t choice = kHandOffReplace;
  int cancelAfterSlices = 0;
  HandOffRecord shown;
  EditorLaunchOutcome outcome;
};

// A catalogue with stand-in programs first on PATH until the test ends.
class StandInTest : public testing::StoredImagesFixture {
 protected:
  void SetUp() override {
    StoredImagesFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    programs = std::make_unique<testing::FakePrograms>(folder / "fake");
  }
  void TearDown() override {
    programs.reset();
    StoredImagesFixture::TearDown();
  }

  std::unique_ptr<testing::FakePrograms> programs;
};

class EditorHandOffTest : public StandInTest {
 protected:
  void SetUp() override {
    StandInTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    programs->OnlyOurs();
    settings = std::make_unique<TIniPlus>((folder / "settings.ini").string());
    edited = testing::TestJpeg(40, 30, 7);
    WriteFile("fake/edited.jpg", edited);
    original = testing::TestJpeg(20, 10, 1);
    AddRow("bild.jpg", original, "bild");
    grid.focused = 0;
    // Another row's source file of the same name already lies in the image folder.
    WriteFile("bild.jpg", "fremde Quelle");
  }
  void UsePaintProgram(const std::string& body) {
    programs->Add("mtpaint", "echo \"$1\" >> \"$REC\"\n" + body);
  }
  int32_t Edit() { return EditFocusedImage(session, grid, *settings, wait); }

  std::unique_ptr<TIniPlus> settings;
  std::string edited, original;
  ScriptedWait wait;
};

const char* const kSaves =
    "cp \"$(dirname \"$REC\")/edited.jpg\" \"$1\"; touch -d '2031-01-01 12:00:00' \"$1\"";

TEST_P(EditorHandOffTest, ASavedEditReplacesTheImageOrBecomesANewRow) {
  UsePaintProgram(kSaves);
  EXPECT_EQ(Edit(), kHandOffReplace);
  const std::string handOff = (folder / "bild_2.jpg").string();
  EXPECT_EQ(wait.shown.imageFile, handOff);
  EXPECT_EQ(wait.shown.application, (folder / "fake" / "bin" / "mtpaint").string());
  EXPECT_EQ(wait.outcome.firstLine, "Das Bild \"bild_2.jpg\" wurde verändert.");
  EXPECT_EQ(wait.outcome.secondLine, "Sie haben nun folgende Möglichkeiten:");
  EXPECT_EQ(ReadFile("bild.jpg"), "fremde Quelle");
  EXPECT_TRUE(Stored(0).bild == edited);
  EXPECT_EQ(grid.Record(0).filePath, handOff);
  EXPECT_EQ(grid.Count(), 1);

  // The row's source is now bild_2.jpg, its name is free no more and the next hand-off adds a
  // suffix to it.
  wait.choice = kHandOffAdd;
  EXPECT_EQ(Edit(), kHandOffAdd);
  EXPECT_EQ(wait.shown.imageFile, (folder / "bild_2_2.jpg").string());
  ASSERT_EQ(grid.Count(), 2);
  EXPECT_EQ(grid.focused, 1);
  EXPECT_TRUE(Stored(1).bild == edited);
  EXPECT_EQ(programs->Record(), handOff + "\n" + (folder / "bild_2_2.jpg").string() + "\n");
}

TEST_P(EditorHandOffTest, AnEditorThatSavesNothingOrDeletesTheFileChangesNothing) {
  const std::vector<std::pair<std::string, std::string>> editors = {
      {"exit 0", "Das Bild \"bild_2.jpg\" wurde nicht verändert."},
      {"kill -SEGV $$", "Das Bild \"bild_2.jpg\" wurde nicht verändert."},
      {"rm \"$1\"",
       "Die Datei \"" + (folder / "bild_2.jpg").string() + "\" ist nicht mehr vorhanden."},
  };
  for (const auto& [body, firstLine] : editors) {
    UsePaintProgram(body);
    EXPECT_EQ(Edit(), kHandOffCancelled) << body;
    EXPECT_EQ(wait.outcome.state, EditorWaitState::Unchanged) << body;
    EXPECT_EQ(wait.outcome.firstLine, firstLine);
    EXPECT_EQ(wait.outcome.secondLine, "Brechen Sie den Vorgang ab!");
    EXPECT_TRUE(Stored(0).bild == original);
    std::filesystem::remove(folder / "bild_2.jpg");
  }
  EXPECT_EQ(grid.Count(), 1);
}

TEST_P(EditorHandOffTest, CancellingStopsWaitingAndLeavesTheEditorRunning) {
  UsePaintProgram("echo $$ > \"$REC.pid\"; exec sleep 60");
  wait.cancelAfterSlices = 2;
  EXPECT_EQ(Edit(), kHandOffCancelled);
  EXPECT_TRUE(wait.outcome.aborted);
  const std::string pidText = ReadFile("fake/record.txt.pid");
  ASSERT_FALSE(pidText.empty());
  const pid_t editor = std::stoi(pidText);
  EXPECT_EQ(::kill(editor, 0), 0) << "the editor must stay open";
  ::kill(editor, SIGTERM);
  EXPECT_TRUE(Stored(0).bild == original);
}

TEST_P(EditorHandOffTest, PaintProgramComesFromTheSettingsOrThePathElseAMessage) {
  EXPECT_EQ(Edit(), kHandOffNothing);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].find("PAINTAPP"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "bild_2.jpg"));

  programs->Add("pinta", "exit 0");
  programs->Add("gimp", "exit 0");
  EXPECT_EQ(FindPaintProgram(*settings), (folder / "fake" / "bin" / "pinta").string());
  settings->WriteString(kSectionSettings, kKeyPaintProgram, "gimp");
  EXPECT_EQ(FindPaintProgram(*settings), (folder / "fake" / "bin" / "gimp").string());
  settings->WriteString(kSectionSettings, kKeyPaintProgram, "/opt/mein/maler");
  EXPECT_EQ(FindPaintProgram(*settings), "/opt/mein/maler");
  settings->WriteString(kSectionSettings, kKeyPaintProgram, "fehlt");
  EXPECT_THROW(FindPaintProgram(*settings), std::runtime_error);

  EXPECT_EQ(WaitingCaption("Galeriekasten", "/usr/bin/pinta"),
            "Galeriekasten ... wartet auf \"pinta\"");
}

TEST_P(EditorHandOffTest, ExternalApplicationGetsTheFileOrTheParametersAndIsNotAwaited) {
  const auto application = programs->Add(
      "extern", "pwd >> \"$REC\"; for a in \"$@\"; do echo \"[$a]\" >> \"$REC\"; done");
  EXPECT_FALSE(StartExternalApplication(grid, *settings));
  settings->WriteString(kSectionSettings, kKeyExternalApp, (folder / "fehlt").string());
  EXPECT_FALSE(StartExternalApplication(grid, *settings));

  settings->WriteString(kSectionSettings, kKeyExternalApp, application.string());
  EXPECT_TRUE(StartExternalApplication(grid, *settings));
  const std::string first =
      application.parent_path().string() + "\n[" + *grid.Record(0).filePath + "]\n";
  EXPECT_EQ(programs->RecordHolding(first), first);

  settings->WriteBool(kSectionSettings, kKeyExternalAppParameterDefault, false);
  settings->WriteString(kSectionSettings, kKeyExternalAppParameter, "-x 'a b' c");
  EXPECT_TRUE(StartExternalApplication(grid, *settings));
  const std::string both = first + application.parent_path().string() + "\n[-x]\n[a b]\n[c]\n";
  EXPECT_EQ(programs->RecordHolding(both), both);
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(EditorHandOffTest);

class MailTest : public StandInTest {
 protected:
  void SetUp() override {
    StandInTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    programs->Add("xdg-email",
                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$REC\"; done\n"
                  "n=0; while [ $# -gt 0 ]; do\n"
                  "  if [ \"$1\" = --attach ]; then n=$((n+1)); cp \"$2\" \"$REC.$n\"; shift; fi\n"
                  "  shift\ndone\necho sent >> \"$REC\"");
    temp = (folder / "Temp" / "Vemora").string();
    std::filesystem::create_directories(temp);
  }
  std::optional<MailHandOff> Send() { return SendImagesByMail(session, grid, temp); }
  std::string Copy(int n) const { return ReadFile("fake/record.txt." + std::to_string(n)); }

  std::string temp;
};

TEST_P(MailTest, MarkedImagesGoOutInOrderAsCopiesOfTheStoredBytes) {
  AddRow("a.jpg", "erstes Bild", "eins");
  AddRow("b.jpg", "zweites Bild", "zwei");
  AddRow("a.jpg", "drittes Bild", "drei");
  // Source files of the rows in the image folder stay as they are.
  WriteFile("a.jpg", "Quelle");
  grid.SetMark(2, true);
  grid.SetMark(0, true);
  grid.focused = 1;

  const auto sent = Send();
  ASSERT_TRUE(sent);
  EXPECT_EQ(sent->subject, "zwei");
  ASSERT_EQ(sent->attachments.size(), 2u);
  EXPECT_EQ(std::filesystem::path(sent->attachments[0]).filename(), "a.jpg");
  EXPECT_EQ(std::filesystem::path(sent->attachments[1]).filename(), "a_2.jpg");
  EXPECT_TRUE(sent->attachments[0].starts_with(temp));
  EXPECT_EQ(programs->RecordHolding("sent\n"), "--subject\nzwei\n--attach\n" +
                                                   sent->attachments[0] + "\n--attach\n" +
                                                   sent->attachments[1] + "\nsent\n");
  EXPECT_EQ(Copy(1), "erstes Bild");
  EXPECT_EQ(Copy(2), "drittes Bild");
  EXPECT_EQ(ReadFile("a.jpg"), "Quelle");
  EXPECT_TRUE(prompter.shown.empty());

  // A second message gets a folder of its own: the first one's files stay for its client.
  grid.UnmarkAll();
  const auto second = Send();
  ASSERT_TRUE(second);
  ASSERT_EQ(second->attachments.size(), 1u);
  EXPECT_NE(std::filesystem::path(second->attachments[0]).parent_path(),
            std::filesystem::path(sent->attachments[0]).parent_path());
  EXPECT_TRUE(std::filesystem::exists(sent->attachments[1]));
}

TEST_P(MailTest, MissingNameStopsAndTheMessageSaysWhichImages) {
  AddRow("a.jpg", "x", "");
  AddRow("b.jpg", "y", "zwei");
  for (const bool marked : {false, true}) {
    grid.SetMark(1, marked);
    grid.focused = 0;
    prompter.shown.clear();
    EXPECT_FALSE(Send());
    EXPECT_EQ(prompter.shown,
              std::vector<std::string>{marked ? "Bitte vergeben Sie erst eine gültige Bezeichnung "
                                                "für die markierten Bilder"
                                              : "Bitte vergeben Sie erst eine gültige Bezeichnung "
                                                "für das aktuelle Bild"});
  }
  EXPECT_EQ(programs->Record(), "");
  grid.Clear();
  EXPECT_FALSE(Send());
}

TEST_P(MailTest, AFileThatCannotBeWrittenIsReportedAndTheRestIsSent) {
  AddRow("a.jpg", "eins", "eins");
  AddRow("b.jpg", "zwei", "zwei");
  grid.MarkAll();
  grid.focused = 0;
  failing->FailOnStatement(1);  // the first image's read
  const auto sent = Send();
  ASSERT_TRUE(sent);
  ASSERT_EQ(sent->attachments.size(), 1u);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].starts_with("Fehler in Datei " + temp)) << prompter.shown[0];
  EXPECT_TRUE(prompter.shown[0].ends_with("a.jpg"));
  programs->RecordHolding("sent\n");
  EXPECT_EQ(Copy(1), "zwei");
}

TEST_P(MailTest, NoMailClientOrNoTempFolderGivesAGermanMessage) {
  AddRow("a.jpg", "eins", "eins");
  grid.focused = 0;
  programs->OnlyOurs();
  std::filesystem::remove(folder / "fake" / "bin" / "xdg-email");
  EXPECT_FALSE(Send());
  EXPECT_EQ(prompter.shown, std::vector<std::string>{
                                "Die Nachricht kann nicht an das E-Mail-Programm übergeben werden: "
                                "Das Programm xdg-email wurde nicht gefunden (Paket xdg-utils)."});
  prompter.shown.clear();
  EXPECT_FALSE(SendImagesByMail(session, grid, ""));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].starts_with("Die Bilder können nicht versendet werden"));
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(MailTest);

}  // namespace
}  // namespace vemora
