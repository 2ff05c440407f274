// "Versenden" on both engines, with a stand-in xdg-email that records its arguments and
// copies the attachments it was given.
#include <gtest/gtest.h>

#include <filesystem>

#include "fileops/mailing.h"
#include "stored_images_fixture.h"
#include "support/fake_programs.h"

namespace vemora {
namespace {

class MailTest : public testing::StoredImagesFixture {
 protected:
  void SetUp() override {
    StoredImagesFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    programs = std::make_unique<testing::FakePrograms>(folder / "fake");
    programs->Add("xdg-email",
                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$REC\"; done\n"
                  "n=0; while [ $# -gt 0 ]; do\n"
                  "  if [ \"$1\" = --attach ]; then n=$((n+1)); cp \"$2\" \"$REC.$n\"; shift; fi\n"
                  "  shift\ndone\necho sent >> \"$REC\"");
    temp = (folder / "Temp" / "Vemora").string();
    std::filesystem::create_directories(temp);
  }
  void TearDown() override {
    programs.reset();
    StoredImagesFixture::TearDown();
  }
  std::optional<MailHandOff> Send() { return SendImagesByMail(session, grid, temp); }
  std::string Copy(int n) const { return ReadFile("fake/record.txt." + std::to_string(n)); }

  std::unique_ptr<testing::FakePrograms> programs;
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
