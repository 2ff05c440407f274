// The preview-column check the load runs first, and the rebuild it may start.
#include "catalogue/preview_column.h"

#include <gtest/gtest.h>

#include "catalogue/dispatcher.h"
#include "recording_gateway.h"
#include "scripted_prompter.h"

namespace vemora {
namespace {

using testing::RecordingGateway;
using testing::ScriptedPrompter;

class PreviewColumnTest : public ::testing::Test {
 protected:
  PreviewColumnTest() {
    session.gateway = &gateway;
    session.prompter = &prompter;
  }
  void Check(int32_t selector = kFieldVsBild) {
    TRecCmdMDB command;
    command.command = kCmdEnsurePreviewColumn;
    command.selector = selector;
    RunCmdMDB(session, command, TRecDSBilder{});
  }

  RecordingGateway gateway;
  ScriptedPrompter prompter;
  CatalogueSession session;
};

TEST_F(PreviewColumnTest, PresentColumnRunsNoRebuildAndOtherSelectorsDoNothing) {
  Check(14);
  EXPECT_TRUE(gateway.calls.empty());
  Check();
  ASSERT_EQ(gateway.calls.size(), 1u);
  EXPECT_EQ(gateway.calls[0].operation, "FieldExists");
  EXPECT_EQ(gateway.calls[0].sql, "Bilder.VsBild");
  EXPECT_TRUE(session.previewColumnAvailable);
  EXPECT_TRUE(session.previewColumnWasPresent);
  EXPECT_EQ(prompter.waitWindowsOpened, 0);
}

TEST_F(PreviewColumnTest, MissingColumnIsAddedAndEveryRowGetsAPreview) {
  gateway.fieldExists = false;
  gateway.scriptedResults.push_back(
      {{{"BildCtr2", "11"}, {"Bild", "no image"}}, {{"BildCtr2", "12"}, {"Bild", ""}}});
  Check();
  EXPECT_TRUE(session.previewColumnAvailable);
  EXPECT_FALSE(session.previewColumnWasPresent);
  const std::vector<std::string> expected = {"Bilder.VsBild", "Bilder.VsBild",
                                             "Select BildCtr2,Bild,[File],VsBild from Bilder",
                                             "UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2",
                                             "UPDATE Bilder SET VsBild=:p1 WHERE BildCtr2=:p2"};
  EXPECT_EQ(gateway.Statements(), expected);
  EXPECT_EQ(gateway.calls[1].operation, "AddField");
  EXPECT_EQ(gateway.calls[3].values[1], TDBValue::Integer(11));
  EXPECT_EQ(gateway.calls[4].values[1], TDBValue::Integer(12));
  // Bytes of no known kind get an empty preview.
  EXPECT_EQ(gateway.calls[3].values[0].BlobBytes(), "");
  EXPECT_EQ(prompter.shown, std::vector<std::string>{"Alle Vorschaubilder werden erzeugt..."});
  EXPECT_EQ(prompter.lastMaximum, 2);
  EXPECT_EQ(prompter.steps, 2);
  EXPECT_TRUE(gateway.openedResults[0]->closed);
}

TEST_F(PreviewColumnTest, EmptyTableShowsTheWaitWindowWithNothingToDo) {
  gateway.fieldExists = false;
  Check();
  EXPECT_EQ(prompter.waitWindowsOpened, 1);
  EXPECT_EQ(prompter.lastMaximum, 0);
  EXPECT_EQ(prompter.steps, 0);
}

TEST_F(PreviewColumnTest, ColumnThatCannotBeAddedIsReportedTwice) {
  gateway.fieldExists = false;
  gateway.failAddField = true;
  Check();
  EXPECT_FALSE(session.previewColumnAvailable);
  EXPECT_EQ(prompter.shown,
            (std::vector<std::string>{"Es trat ein Fehler beim Initialisieren der Datenbank auf "
                                      "(Bilder.VsBild).",
                                      "Vorschaubild kann nicht hinzugefügt werden!"}));
  EXPECT_EQ(prompter.waitWindowsOpened, 0);
}

TEST_F(PreviewColumnTest, RebuildStopsAtAFailingRowAndKeepsWhatWasStored) {
  gateway.fieldExists = false;
  gateway.scriptedResults.push_back(
      {{{"BildCtr2", "1"}, {"Bild", "x"}}, {{"BildCtr2", "2"}, {"Bild", "y"}}});
  gateway.failOnCall = 5;  // the second row's update
  EXPECT_THROW(Check(), TDBError);
  EXPECT_EQ(prompter.steps, 1);
  EXPECT_TRUE(gateway.openedResults[0]->closed);
}

}  // namespace
}  // namespace vemora
