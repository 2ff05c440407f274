// Saved search sets on both engines: the statement text, the name prompt and its errors,
// and names and terms with quotes, markers, brackets, backslashes and umlauts that save,
// load, run and delete. Keyword commands write the focused record at once.
#include <gtest/gtest.h>

#include "catalogue/catalogue_engine_fixture.h"
#include "gateways/catalogue_rows.h"
#include "search/keywords.h"
#include "search/saved_sets.h"
#include "search/search_snapshot.h"

namespace vemora {
namespace {

using testing::ColumnValues;

class SavedSetsTest : public testing::CatalogueEngineFixture {};

TEST_P(SavedSetsTest, SavingWritesTheInsertTextAndAMissingTableGivesAGermanMessage) {
  SearchOptionSet options;
  options.Text1 = "Baum";
  prompter.texts = {"Garten"};
  EXPECT_EQ(SaveSearchOptions(*failing, prompter, options), "Garten");
  EXPECT_EQ(
      failing->statements,
      (std::vector<std::string>{
          "SELECT * FROM BildFilt WHERE Name = 'Garten'",
          "INSERT INTO BildFilt "
          "(Name,AlleProjekte,Feldsuchbegriffe,FeldBeschreibung,FeldDateiname,FeldBezeichnung,"
          "FeldBeschriftung,TextArt1,Text1,TextArt2,Text2,TextArt3,Text3,GanzeWoerter,GrossKlein,"
          "DatumZwischen,DatumVon,DatumBis,DatumAlter,DatumArt,DatumAnzahl,DatumZeit,Breite,"
          "BreiteArt,BreiteWert,Hoehe,HoeheArt,HoeheWert) values ( "
          "'Garten',1,1,1,1,1,1,-1, 'Baum',-1, '',-1, '',0,0,0,0,0,0,0,1,0,0,0,800,0,0,600)"}));

  gateway().ExecSQL("DROP TABLE BildFilt", 4);
  const auto message = [](auto work) {
    try {
      work();
    } catch (const SavedSetError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_TRUE(message([&] { SavedSetNames(*failing); })
                  .starts_with("Die Liste der Suchoptionen kann nicht gelesen werden (Tabelle "
                               "BildFilt fehlt oder ist unvollständig): "));
  prompter.texts = {"neu"};
  EXPECT_TRUE(message([&] {
                SaveSearchOptions(*failing, prompter, {});
              }).starts_with("Die Suchoptionen können nicht gelesen werden"));

  gateway().ExecSQL("CREATE TABLE BildFilt (Name TEXT, Text1 TEXT)", 4);
  gateway().ExecSQL("INSERT INTO BildFilt (Name, Text1) VALUES ('alt', 'x')", 4);
  EXPECT_EQ(SavedSetNames(*failing), std::vector<std::string>{"alt"});
  EXPECT_TRUE(message([&] {
                LoadSearchOptions(*failing, "alt");
              }).starts_with("Die Suchoptionen können nicht geladen werden"));
  prompter.texts = {"neu"};
  EXPECT_TRUE(message([&] {
                SaveSearchOptions(*failing, prompter, {});
              }).starts_with("Die Suchoptionen können nicht gespeichert werden"));
}

TEST_P(SavedSetsTest, NamePromptRepeatsUntilTheNameIsFreeOrTheUserCancels) {
  prompter.texts = {"Urlaub"};
  ASSERT_TRUE(SaveSearchOptions(*failing, prompter, {}));
  prompter.shown.clear();
  prompter.textShown.clear();

  prompter.texts = {"", "Urlaub", "  ", std::nullopt};
  EXPECT_EQ(SaveSearchOptions(*failing, prompter, {}), "  ") << "blanks are a name";
  EXPECT_EQ(
      prompter.shown,
      (std::vector<std::string>{
          "Suchoptionen speichern: Name", "Bitte geben Sie einen Namen für die Suchoption ein.",
          "Suchoptionen speichern: Name", "Suchoptionen mit diesem Namen existiert bereits.",
          "Suchoptionen speichern: Name"}));
  EXPECT_EQ(prompter.textShown, (std::vector<std::string>{"", "", "Urlaub"}));

  prompter.texts = {"Urlaub", std::nullopt};
  const size_t before = failing->statements.size();
  EXPECT_EQ(SaveSearchOptions(*failing, prompter, {}), std::nullopt);
  EXPECT_EQ(failing->statements.size(), before + 1) << "only the duplicate check ran";
  EXPECT_EQ(SavedSetNames(*failing), (std::vector<std::string>{"Urlaub", "  "}));
}

TEST_P(SavedSetsTest, AwkwardNamesAndTermsSaveLoadRunAndDelete) {
  const std::string names[] = {"O'Neil's", "a:b [c] \\d", "Grüße 'ä'"};
  std::vector<SearchOptionSet> saved;
  for (const std::string& name : names) {
    SearchOptionSet options;
    options.FeldBeschreibung = false;
    options.TextArt1 = kTermPlain;
    options.Text1 = name;  // the term is the name: every awkward character in both
    options.TextArt2 = kConnectOr;
    options.Text2 = ":p1";
    options.TextArt3 = kConnectAndNot;
    options.Text3 = "[x]\\";
    options.GanzeWoerter = options.GrossKlein = true;
    options.DatumZwischen = true;
    options.DatumVon = 40179;
    options.DatumBis = 45000;
    options.DatumAlter = true;
    options.DatumArt = kAgeOlderThan;
    options.DatumAnzahl = 300;
    options.DatumZeit = kAgeYears;
    options.Breite = options.Hoehe = true;
    options.BreiteArt = kSizeEqual;
    options.BreiteWert = 1;
    options.HoeheArt = kSizeSmaller;
    options.HoeheWert = -5;
    prompter.texts = {name};
    ASSERT_EQ(SaveSearchOptions(*failing, prompter, options), name);
    options.Name = name;
    saved.push_back(options);
  }
  // The database's order, not sorted.
  EXPECT_EQ(SavedSetNames(*failing), std::vector<std::string>(std::begin(names), std::end(names)));

  for (const SearchOptionSet& options : saved) {
    EXPECT_EQ(LoadSearchOptions(*failing, options.Name), options) << options.Name;
    // The loaded terms find a keyword holding the name.
    CatalogueGrid grid;
    GridRecord record;
    record.suchbegriffe = "x " + options.Name + " y";
    grid.Append(record);
    SearchSnapshot snapshot(grid, -1);
    SearchOptionSet textOnly = *LoadSearchOptions(*failing, options.Name);
    textOnly.DatumZwischen = textOnly.DatumAlter = textOnly.Breite = textOnly.Hoehe = false;
    class NoFiles : public SearchFileReader {
      double FileDate(const std::string&) override { return 0; }
      std::optional<PixelSize> ImageSize(const std::string&) override { return std::nullopt; }
    } files;
    EXPECT_EQ(RunSearch(snapshot, textOnly, files, 45000), 1) << options.Name;
  }

  prompter.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(DeleteSavedSet(*failing, prompter, names[0]));
  EXPECT_TRUE(DeleteSavedSet(*failing, prompter, names[0]));
  EXPECT_EQ(prompter.shown.back(), "Möchten Sie die Suchoptionen \"O'Neil's\" löschen ?'");
  EXPECT_EQ(failing->statements.back(), "DELETE FROM BildFilt WHERE Name='O''Neil''s'");
  EXPECT_EQ(SavedSetNames(*failing), (std::vector<std::string>{names[1], names[2]}));
  EXPECT_EQ(LoadSearchOptions(*failing, names[0]), std::nullopt);
}

TEST_P(SavedSetsTest, KeywordCommandsWriteTheFocusedRecordAtOnce) {
  testing::InsertCatalogueRow(gateway(), "a", "B", "", 11);
  testing::InsertCatalogueRow(gateway(), "b", "B", "", 12);
  GridRecord first;
  first.key = 11;
  first.suchbegriffe = "Urlaub";
  grid.Append(first);
  GridRecord second;
  second.key = 12;
  grid.Append(second);
  const auto keywords = [&] { return ColumnValues(gateway(), "Suchbegriffe"); };

  EXPECT_FALSE(AddFocusedKeyword(session, grid, "Hobby")) << "no focus";
  grid.focused = 0;
  EXPECT_TRUE(AddFocusedKeyword(session, grid, "Hobby"));
  EXPECT_EQ(failing->statements.back(), "UPDATE Bilder SET Suchbegriffe=:p1 WHERE BildCtr2=:p2");
  EXPECT_TRUE(AddFocusedKeyword(session, grid, "Hobby")) << "no duplicate check";
  EXPECT_FALSE(AddFocusedKeyword(session, grid, ""));
  EXPECT_EQ(keywords(), (std::vector<std::string>{"Urlaub\r\nHobby\r\nHobby", "Urlaub"}));

  grid.focused = 1;
  EXPECT_TRUE(ReplaceFocusedKeywords(session, grid, ""));
  EXPECT_TRUE(AddFocusedKeyword(session, grid, "Status"));  // a group's text, no leading break
  EXPECT_EQ(keywords()[1], "Status");
  EXPECT_TRUE(ReplaceFocusedKeywords(session, grid, ""));
  EXPECT_EQ(keywords()[1], "");
  EXPECT_EQ(grid.Record(0).suchbegriffe, keywords()[0]);

  failing->FailOnStatement(1);
  EXPECT_THROW(AddFocusedKeyword(session, grid, "Scan"), TDBError);
  EXPECT_EQ(grid.Record(1).suchbegriffe, "") << "the grid follows only a written change";

  EXPECT_EQ(WithCrLfLineBreaks("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
}

VEMORA_INSTANTIATE_FOR_ALL_ENGINES(SavedSetsTest);

}  // namespace
}  // namespace vemora
