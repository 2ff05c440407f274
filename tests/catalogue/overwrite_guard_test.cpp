// Edits of rows another host changed meanwhile ask first, showing both values; the answer
// decides what is written. Without the guard nothing is asked.
#include <gtest/gtest.h>

#include "catalogue/catalogue_engine_fixture.h"
#include "catalogue/catalogue_load.h"
#include "catalogue/deleting.h"
#include "catalogue/editing.h"
#include "catalogue/records.h"
#include "gateways/catalogue_rows.h"

namespace vemora::testing {
namespace {

class OverwriteGuardTest : public CatalogueEngineFixture {
 protected:
  void SetUp() override {
    CatalogueEngineFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InsertCatalogueRow(gateway(), "eins", "", "", 1);
    InsertCatalogueRow(gateway(), "zwei", "", "", 2);
    LoadCatalogue(session, grid, {});
    session.guardOverwrites = true;
    other = catalogue().Connect();
    other->ExecSQL("UPDATE Bilder SET Name = 'dort' WHERE BildCtr2 = 1", 4);
    prompter.shown.clear();
  }
  std::vector<std::string> Names() { return ColumnValues(gateway(), "Name"); }

  std::unique_ptr<TDBGateway> other;
};

TEST_P(OverwriteGuardTest, ACellChangedElsewhereIsWrittenOnlyOnYes) {
  prompter.answers = {Answer::No};
  CommitCellEdit(session, grid, 0, kFieldName, "hier");
  EXPECT_EQ(Names(), (std::vector<std::string>{"dort", "zwei"}));
  EXPECT_EQ(grid.Record(0).name, "eins");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0],
            "Das Bild \"dort\" wurde inzwischen an einem anderen Arbeitsplatz geändert.\r\n\r\n"
            "Bezeichnung\r\n  anderer Arbeitsplatz: \"dort\"\r\n  hier: \"hier\"\r\n\r\n"
            "Trotzdem mit Ihrer Eingabe überschreiben?");

  prompter.answers = {Answer::Yes};
  CommitCellEdit(session, grid, 0, kFieldName, "hier");
  EXPECT_EQ(Names(), (std::vector<std::string>{"hier", "zwei"}));
  // Another column of the same row, untouched elsewhere: no question.
  CommitCellEdit(session, grid, 0, kFieldTextTop, "neu oben");
  CommitCellEdit(session, grid, 1, kFieldName, "zwo");
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_P(OverwriteGuardTest, DeletingOrReplacingARowChangedOrGoneElsewhereAsksOrTells) {
  grid.focused = 0;
  prompter.answers = {Answer::No};
  EXPECT_EQ(DeleteFocusedImage(session, grid), 0);
  EXPECT_EQ(Names().size(), 2u);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].find("Bezeichnung\r\n  anderer Arbeitsplatz: \"dort\"\r\n  hier: "
                                   "\"eins\"\r\n\r\nTrotzdem löschen?"),
            std::string::npos);

  other->ExecSQL("DELETE FROM Bilder WHERE BildCtr2 = 2", 4);
  grid.focused = 1;
  const std::string file = WriteFile("anders.jpg", std::string("\xFF\xD8", 2));
  ReplaceImageSource(session, grid, file);
  EXPECT_EQ(prompter.shown.back(),
            "Das Bild wurde inzwischen an einem anderen Arbeitsplatz gelöscht.");
  // Deleting a row that is gone already needs no question.
  EXPECT_EQ(DeleteFocusedImage(session, grid), 1);
  EXPECT_EQ(prompter.shown.size(), 2u);

  session.guardOverwrites = false;
  grid.focused = 0;
  EXPECT_EQ(DeleteFocusedImage(session, grid), 1);
  EXPECT_EQ(prompter.shown.size(), 2u);
  EXPECT_TRUE(Names().empty());
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(OverwriteGuardTest);

}  // namespace
}  // namespace vemora::testing
