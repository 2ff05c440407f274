// The editor hand-off on both engines with stand-in paint programs on PATH (one that saves a
// new picture, one that only looks, one that deletes the file, one that stays open), and
// "Externe Anwendung" with a recording stand-in.
#include <gtest/gtest.h>
#include <signal.h>

#include "fileops/editor_handoff.h"
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

class EditorHandOffTest : public testing::StoredImagesFixture {
 protected:
  void SetUp() override {
    StoredImagesFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    programs = std::make_unique<testing::FakePrograms>(folder / "fake");
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
  void TearDown() override {
    programs.reset();
    StoredImagesFixture::TearDown();
  }
  void UsePaintProgram(const std::string& body) {
    programs->Add("mtpaint", "echo \"$1\" >> \"$REC\"\n" + body);
  }
  int32_t Edit() { return EditFocusedImage(session, grid, *settings, wait); }

  std::unique_ptr<testing::FakePrograms> programs;
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

}  // namespace
}  // namespace vemora
