// The text terms of a search: connectors, negation, fields, whole words and case.
#include <gtest/gtest.h>

#include "search/text_match.h"
#include "search/upper_case.h"

namespace vemora {
namespace {

struct TermCase {
  const char* text;
  const char* term;
  bool wholeWords;
  bool matchCase;
  bool expected;
};

TEST(TermInTextTest, WholeWordsAndCase) {
  const TermCase cases[] = {
      {"Haus-Nr", "Haus", true, false, true},
      {"Hausnummer", "Haus", true, false, false},
      {"Hausnummer", "Haus", false, false, true},
      {"Häuser", "Haus", false, false, false},
      {"Hausbau Haus", "Haus", true, false, true},  // second occurrence
      {"Hausbau Hausnummer", "Haus", true, false, false},
      {"das Haus", "haus", true, false, true},
      {"das Haus", "haus", true, true, false},
      {"Ärger", "ä", false, false, true},
      {"Ärger", "ä", false, true, false},
      {"Straße", "STRASSE", false, false, false},  // ß keeps its one character
      {"STRAßE", "straße", false, false, true},
      {"Müller", "MÜLLER", true, false, true},
      {"Grüße", "Gr", true, false, true},       // ü is no word character ...
      {"xüHausüx", "Haus", true, false, true},  // ... so umlauts separate words
      {"Haus2", "Haus", true, false, false},
      {"", "Haus", false, false, false},
      // After a failed occurrence the text behind its first character is searched as a text
      // of its own: the next occurrence right there has nothing before it.
      {"aa", "a", true, false, true},
  };
  for (const TermCase& c : cases) {
    SearchOptionSet options;
    options.GanzeWoerter = c.wholeWords;
    options.GrossKlein = c.matchCase;
    EXPECT_EQ(TermInText(c.text, c.term, options), c.expected)
        << '"' << c.term << "\" in \"" << c.text << "\" whole=" << c.wholeWords
        << " case=" << c.matchCase;
  }
}

TEST(UpperCaseTest, OneCharacterForOne) {
  EXPECT_EQ(UpperCase("äöüß àÿ ąłž αω жё abc"), "ÄÖÜß ÀŸ ĄŁŽ ΑΩ ЖЁ ABC");
  EXPECT_EQ(UpperCase("\xC3"), "\xC3");  // a cut-off character passes unchanged
}

// The fields of one entry, named for the test.
struct Entry {
  std::string keywords, description, path, name, left, right, top, bottom;
  EntryTexts Texts() const { return {keywords, description, path, name, left, right, top, bottom}; }
};

struct CriteriaCase {
  const char* what;
  int32_t kind1;
  const char* text1;
  int32_t kind2;
  const char* text2;
  int32_t kind3;
  const char* text3;
  bool expected;
};

TEST(MatchesTextTest, TermsCombineLeftToRight) {
  // Keywords "Urlaub", description "Strand": Urlaub and Strand occur, Berg does not.
  const Entry entry{"Urlaub", "Strand", "/b/x.jpg", "Bild", "", "", "", ""};
  const CriteriaCase cases[] = {
      {"no terms", kTermNone, "", kConnectNone, "", kConnectNone, "", true},
      {"term 1 counts without a kind", kTermNone, "Berg", kConnectNone, "", kConnectNone, "",
       false},
      {"nicht", kTermNot, "Berg", kConnectNone, "", kConnectNone, "", true},
      {"nicht, found", kTermNot, "Urlaub", kConnectNone, "", kConnectNone, "", false},
      {"term 2 without connector is ignored", kTermPlain, "Urlaub", kConnectNone, "Berg",
       kConnectNone, "", true},
      {"oder with an empty term is ignored", kTermPlain, "Berg", kConnectOr, "", kConnectNone, "",
       false},
      {"und", kTermPlain, "Urlaub", kConnectAnd, "Berg", kConnectNone, "", false},
      {"und nicht", kTermPlain, "Urlaub", kConnectAndNot, "Berg", kConnectNone, "", true},
      {"oder", kTermPlain, "Berg", kConnectOr, "Strand", kConnectNone, "", true},
      // (Berg oder Strand) und Urlaub, not Berg oder (Strand und Urlaub) ...
      {"left to right", kTermPlain, "Berg", kConnectOr, "Strand", kConnectAnd, "Wald", false},
      // ... and (Urlaub und Berg) oder Strand is true: no precedence of "und".
      {"oder after und", kTermPlain, "Urlaub", kConnectAnd, "Berg", kConnectOr, "Strand", true},
      {"term 3 alone", kTermNone, "", kConnectNone, "", kConnectAnd, "Berg", false},
  };
  for (const CriteriaCase& c : cases) {
    SearchOptionSet options;
    options.TextArt1 = c.kind1;
    options.Text1 = c.text1;
    options.TextArt2 = c.kind2;
    options.Text2 = c.text2;
    options.TextArt3 = c.kind3;
    options.Text3 = c.text3;
    EXPECT_EQ(MatchesText(entry.Texts(), options), c.expected) << c.what;
  }
}

TEST(MatchesTextTest, OnlyEnabledFieldsAreSearched) {
  const Entry entry{"k", "d", "/pfad/p.jpg", "n", "links", "rechts", "oben", "unten"};
  const auto searchFor = [&](const char* term, auto enable) {
    SearchOptionSet options;
    options.Feldsuchbegriffe = options.FeldBeschreibung = options.FeldDateiname =
        options.FeldBezeichnung = options.FeldBeschriftung = false;
    enable(options);
    options.Text1 = term;
    return MatchesText(entry.Texts(), options);
  };
  const auto none = [](SearchOptionSet&) {};
  const auto all = [](SearchOptionSet& o) {
    o.Feldsuchbegriffe = o.FeldBeschreibung = o.FeldDateiname = o.FeldBezeichnung =
        o.FeldBeschriftung = true;
  };
  // Each field is a text of its own: its edges are word edges, and no term spans two.
  const Entry split{"Hausnummer", "Haus", "", "Gar", "ten", "", "", ""};
  SearchOptionSet wholeWords;
  wholeWords.Text1 = "Haus";
  wholeWords.GanzeWoerter = true;
  EXPECT_TRUE(MatchesText(split.Texts(), wholeWords));
  wholeWords.Text1 = "garten";
  EXPECT_FALSE(MatchesText(split.Texts(), wholeWords));
  EXPECT_TRUE(searchFor("n", all));
  EXPECT_TRUE(searchFor("nirgends", none)) << "no field: the text test passes";
  EXPECT_TRUE(searchFor("pfad", [](SearchOptionSet& o) { o.FeldDateiname = true; }));
  EXPECT_FALSE(searchFor("pfad", [](SearchOptionSet& o) { o.FeldBezeichnung = true; }));
  for (const char* caption : {"links", "rechts", "oben", "unten"}) {
    EXPECT_TRUE(searchFor(caption, [](SearchOptionSet& o) { o.FeldBeschriftung = true; }))
        << caption;
    EXPECT_FALSE(searchFor(caption, [](SearchOptionSet& o) {
      o.Feldsuchbegriffe = o.FeldBeschreibung = o.FeldDateiname = o.FeldBezeichnung = true;
    })) << caption;
  }
}

}  // namespace
}  // namespace vemora
