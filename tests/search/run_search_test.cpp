// The search over a snapshot: the text terms, the date, age and size passes with a fixed
// "today" and a fake file reader that counts what it reads, and the take-over of the checked
// results by path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "codec/decode.h"
#include "platform/file_io.h"
#include "search/date_serial.h"
#include "search/image_header_size.h"
#include "search/search_snapshot.h"
#include "search/search_take_over.h"
#include "search/text_match.h"
#include "search/upper_case.h"
#include "support/temp_folder.h"
#include "support/testdata.h"

namespace vemora {
namespace {

// 15 March 2024.
const int32_t kToday = DaySerial(2024, 3, 15);

double At(int year, int month, int day, int hour = 0, int minute = 0) {
  return DateTimeSerial({year, month, day, hour, minute, 0});
}

// Files by path; a path it does not know is a missing file.
class FakeFiles : public SearchFileReader {
 public:
  struct File {
    double date;
    std::optional<PixelSize> size;
  };
  std::map<std::string, File> files;
  std::map<std::string, int> dateReads, sizeReads;

  double FileDate(const std::string& path) override {
    ++dateReads[path];
    const auto file = files.find(path);
    return file == files.end() ? 0 : file->second.date;
  }
  std::optional<PixelSize> ImageSize(const std::string& path) override {
    ++sizeReads[path];
    const auto file = files.find(path);
    return file == files.end() ? std::nullopt : file->second.size;
  }
};

SearchSnapshot Snapshot(const std::vector<std::string>& paths) {
  CatalogueGrid grid;
  for (const std::string& path : paths) {
    GridRecord record;
    record.name = path;
    record.filePath = path;
    grid.Append(record);
  }
  return SearchSnapshot(grid, -1);
}

std::vector<std::string> Matching(const SearchSnapshot& snapshot) {
  std::vector<std::string> names;
  for (const SearchRow& row : snapshot.Rows()) {
    if (row.matches) names.push_back(row.name);
  }
  return names;
}

TEST(RunSearchTest, DateRangeAndAgeCompareWholeDays) {
  FakeFiles files;
  files.files = {{"today-0000", {At(2024, 3, 15), {}}},
                 {"today-1000", {At(2024, 3, 15, 10), {}}},
                 {"yesterday", {At(2024, 3, 14, 23, 59), {}}}};
  SearchSnapshot snapshot = Snapshot({"today-0000", "today-1000", "yesterday", "missing"});
  SearchOptionSet options;
  options.DatumZwischen = true;
  options.DatumVon = options.DatumBis = kToday;
  EXPECT_EQ(RunSearch(snapshot, options, files, kToday), 1);
  EXPECT_EQ(Matching(snapshot), std::vector<std::string>{"today-0000"});

  options.DatumVon = kToday - 1;
  RunSearch(snapshot, options, files, kToday);
  EXPECT_EQ(Matching(snapshot), (std::vector<std::string>{"today-0000", "yesterday"}));

  FakeFiles aged;
  aged.files = {{"14.2. spät", {At(2024, 2, 14, 23, 59), {}}},
                {"15.2.", {At(2024, 2, 15), {}}},
                {"15.2. 12:00", {At(2024, 2, 15, 12), {}}},
                {"8.3.", {At(2024, 3, 8, 12), {}}}};
  const struct {
    const char* what;
    int32_t kind, unit, count;
    std::vector<std::string> expected;
  } cases[] = {
      {"≤ 1 Monat", kAgeNotOlderThan, kAgeMonths, 1, {"15.2.", "15.2. 12:00", "8.3."}},
      {"> 1 Monat", kAgeOlderThan, kAgeMonths, 1, {"14.2. spät", "15.2."}},
      {"≤ 1 Woche", kAgeNotOlderThan, kAgeWeeks, 1, {"8.3."}},
      // 15 February: 2024 is a leap year.
      {"> 29 Tage", kAgeOlderThan, kAgeDays, 29, {"14.2. spät", "15.2."}},
      {"> 1 Jahr", kAgeOlderThan, kAgeYears, 1, {}},
  };
  for (const auto& c : cases) {
    SearchSnapshot snapshot = Snapshot({"14.2. spät", "15.2.", "15.2. 12:00", "8.3.", "fehlt"});
    SearchOptionSet options;
    options.DatumAlter = true;
    options.DatumArt = c.kind;
    options.DatumZeit = c.unit;
    options.DatumAnzahl = c.count;
    RunSearch(snapshot, options, aged, kToday);
    EXPECT_EQ(Matching(snapshot), c.expected) << c.what;
  }

  // Days the target month lacks.
  EXPECT_EQ(AgeCutoffDate(DaySerial(2023, 3, 31), kAgeMonths, 1), DaySerial(2023, 2, 28));
  EXPECT_EQ(AgeCutoffDate(DaySerial(2024, 2, 29), kAgeYears, 1), DaySerial(2023, 2, 28));
  EXPECT_EQ(AgeCutoffDate(DaySerial(2024, 1, 10), kAgeMonths, 13), DaySerial(2022, 12, 10));
}

TEST(RunSearchTest, SizePassesReadEachFileOnceAndOnlyForEntriesStillMatching) {
  FakeFiles files;
  files.files = {{"gross.jpg", {At(2024, 1, 1), PixelSize{1024, 768}}},
                 {"klein.jpg", {At(2024, 1, 1), PixelSize{640, 480}}},
                 {"kaputt.jpg", {At(2024, 1, 1), std::nullopt}},
                 {"alt.jpg", {At(2020, 1, 1), PixelSize{4000, 3000}}}};
  SearchSnapshot snapshot = Snapshot({"gross.jpg", "klein.jpg", "kaputt.jpg", "alt.jpg", "weg"});
  SearchOptionSet options;
  options.DatumZwischen = true;
  options.DatumVon = DaySerial(2023, 1, 1);
  options.DatumBis = kToday;
  options.Hoehe = true;  // height > 600
  options.Breite = true;
  options.BreiteArt = kSizeSmaller;
  options.BreiteWert = 2000;
  RunSearch(snapshot, options, files, kToday);
  EXPECT_EQ(Matching(snapshot), std::vector<std::string>{"gross.jpg"});

  options.BreiteArt = kSizeEqual;
  options.BreiteWert = 640;
  options.Hoehe = false;
  RunSearch(snapshot, options, files, kToday);
  EXPECT_EQ(Matching(snapshot), std::vector<std::string>{"klein.jpg"});

  // Two searches: every date read once; sizes only for files inside the date range.
  for (const char* path : {"gross.jpg", "klein.jpg", "kaputt.jpg", "alt.jpg", "weg"}) {
    EXPECT_EQ(files.dateReads[path], 1) << path;
  }
  EXPECT_EQ(files.sizeReads,
            (std::map<std::string, int>{{"gross.jpg", 1}, {"klein.jpg", 1}, {"kaputt.jpg", 1}}));
  EXPECT_EQ(snapshot.Rows()[2].width, -1);
  EXPECT_EQ(snapshot.Rows()[4].fileDate, 0);
}

TEST(RunSearchTest, TextPassRunsFirstAndChecksSurvive) {
  FakeFiles files;
  SearchSnapshot snapshot = Snapshot({"Haus.jpg", "Garten.jpg"});
  snapshot.Rows()[0].checked = true;
  SearchOptionSet options;
  options.Text1 = "garten";
  options.Hoehe = true;
  EXPECT_EQ(RunSearch(snapshot, options, files, kToday), 0);
  EXPECT_EQ(files.sizeReads, (std::map<std::string, int>{{"Garten.jpg", 1}}));
  options.Hoehe = false;
  options.Text1 = "haus";
  EXPECT_EQ(RunSearch(snapshot, options, files, kToday), 1);
  EXPECT_TRUE(snapshot.Rows()[0].checked);
}

TEST(TakeOverSearchSelectionTest, MarksEveryRecordSharingACheckedPath) {
  struct Case {
    const char* what;
    std::vector<std::string> checked;
    std::vector<bool> marks;
  };
  CatalogueGrid grid;
  for (const char* path : {"/b/a.jpg", "/b/B.jpg", "/b/a.jpg", "/b/b.jpg"}) {
    GridRecord record;
    record.filePath = path;
    record.marked = true;
    grid.Append(record);
  }
  grid.Append({});  // a record without a file
  const Case cases[] = {
      {"shared path marks both", {"/b/a.jpg"}, {true, false, true, false, false}},
      {"case-sensitive", {"/b/b.jpg"}, {false, false, false, true, false}},
      {"nothing checked unmarks all", {}, {false, false, false, false, false}},
      {"unknown path", {"/b/c.jpg"}, {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    TakeOverSearchSelection(grid, c.checked);
    EXPECT_EQ(grid.Marks(), c.marks) << c.what;
  }
}

TEST(DateSerialTest, TextsAndSerials) {
  EXPECT_EQ(DaySerial(2010, 1, 1), 40179);
  EXPECT_EQ(DaySerial(1899, 12, 30), 0);
  EXPECT_EQ(FormatDate(40179), "01.01.2010");
  EXPECT_EQ(FormatDateTime(At(2024, 3, 15, 10, 5) + 7 / 86400.0), "15.03.2024 10:05:07");
  EXPECT_EQ(ParseDate("1.1.2010"), 40179);
  EXPECT_EQ(ParseDate("01.01.10"), 40179);
  EXPECT_EQ(ParseDate("01.01.2010 12:30"), 40179);
  for (const char* bad : {"", "abc", "31.02.2024", "1.13.2020", "1.1.", "1/1/2020", "1.1.2020x"}) {
    EXPECT_EQ(ParseDate(bad), std::nullopt) << bad;
  }
}

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
      {"xüHausüx", "Haus", true, false, true},  // ü is no word character
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

  // Upper case keeps one character for one.
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

TEST(MatchesTextTest, TermsCombineLeftToRightOverTheEnabledFieldsOnly) {
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

  // Each field holds words no other field has; the captions are one switch for four sides.
  const Entry perField{"wort", "text", "/pfad/p.jpg", "titel", "links", "rechts", "oben", "unten"};
  const std::pair<bool SearchOptionSet::*, std::vector<const char*>> fields[] = {
      {&SearchOptionSet::Feldsuchbegriffe, {"wort"}},
      {&SearchOptionSet::FeldBeschreibung, {"text"}},
      {&SearchOptionSet::FeldDateiname, {"pfad"}},
      {&SearchOptionSet::FeldBezeichnung, {"titel"}},
      {&SearchOptionSet::FeldBeschriftung, {"links", "rechts", "oben", "unten"}}};
  for (const auto& [enabled, unused] : fields) {
    SearchOptionSet options;
    for (const auto& [field, words] : fields) options.*field = field == enabled;
    for (const auto& [field, words] : fields) {
      for (const char* word : words) {
        options.Text1 = word;
        EXPECT_EQ(MatchesText(perField.Texts(), options), field == enabled) << word;
      }
    }
  }
  SearchOptionSet none;
  none.Feldsuchbegriffe = none.FeldBeschreibung = none.FeldDateiname = none.FeldBezeichnung =
      none.FeldBeschriftung = false;
  none.Text1 = "nirgends";
  EXPECT_TRUE(MatchesText(perField.Texts(), none)) << "no field: the text test passes";

  // Each field is a text of its own: its edges are word edges, and no term spans two.
  const Entry split{"Hausnummer", "Haus", "", "Gar", "ten", "", "", ""};
  SearchOptionSet wholeWords;
  wholeWords.Text1 = "Haus";
  wholeWords.GanzeWoerter = true;
  EXPECT_TRUE(MatchesText(split.Texts(), wholeWords));
  wholeWords.Text1 = "garten";
  EXPECT_FALSE(MatchesText(split.Texts(), wholeWords));
}

class ImageHeaderFileTest : public testing::TempFolderTest {};

TEST_F(ImageHeaderFileTest, AgreesWithTheCodecChoosesByEndingAndReadsCutFiles) {
  VEMORA_REQUIRE_TESTDATA();
  const std::string jpeg =
      platform::ReadWholeFile((testing::TestDataDir() / "bench/Nikon_D90_4288x2848.JPG").string());
  const auto write = [&](const std::string& name, const std::string& bytes) {
    PutFile(name, bytes);
    return PathOf(name);
  };
  const auto size = [](const std::string& path) {
    const auto found = ReadPixelSizeFromHeader(path);
    return found ? std::to_string(found->width) + "x" + std::to_string(found->height) : "-";
  };
  EXPECT_EQ(size(write("a.jpg", jpeg)), "4288x2848");
  EXPECT_EQ(size(write("a.JPEG", jpeg)), "4288x2848");
  EXPECT_EQ(size(write("a.bmp", jpeg)), "-") << "a JPEG named as a bitmap";
  EXPECT_EQ(size(write("a.tif", jpeg)), "-");
  EXPECT_EQ(size(write("cut.jpg", jpeg.substr(0, jpeg.size() / 2))), "4288x2848");
  EXPECT_EQ(size(write("head.jpg", jpeg.substr(0, 200))), "-");
  EXPECT_EQ(size(PathOf("missing.jpg")), "-");

  // A top-down bitmap has a negative height; the OS/2 header has 16-bit sizes.
  std::string bitmap = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4) +
                       std::string("\x10\0\0\0\xF8\xFF\xFF\xFF", 8);
  EXPECT_EQ(size(write("top-down.bmp", bitmap)), "16x8");
  EXPECT_EQ(size(write("cut.bmp", bitmap.substr(0, 24))), "-");
  const std::string os2 = "BM" + std::string(12, '\0') + std::string("\x0C\0\0\0\x20\0\x10\0", 8);
  EXPECT_EQ(size(write("os2.xyz", os2)), "32x16");
  EXPECT_EQ(size(write("screen.gif", std::string("GIF89a\x0A\0\x0C\0", 10))), "10x12");

  // Every shared JPEG, bitmap and GIF the codec reads has the size the codec finds.
  int compared = 0;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(testing::TestDataDir() / "images")) {
    const std::string path = entry.path().string();
    std::string ending = entry.path().extension().string();
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ending != ".JPG" && ending != ".BMP" && ending != ".GIF") continue;
    const std::string bytes = platform::ReadWholeFile(path);
    codec::ImageInfo info;
    try {
      info = codec::ReadImageInfo(codec::AsBytes(bytes));
      codec::DecodeImage(codec::AsBytes(bytes));
    } catch (const std::exception&) {
      continue;  // a damaged file: the size the header claims is as good as any
    }
    const auto header = ReadPixelSizeFromHeader(path);
    ASSERT_TRUE(header.has_value()) << path;
    EXPECT_EQ(header->width, info.width) << path;
    EXPECT_EQ(header->height, info.height) << path;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

TEST_F(ImageHeaderFileTest, DiskReaderTakesRelativePathsFromItsFolder) {
  PutFile("screen.gif", std::string("GIF87a\x20\0\x10\0", 10));
  DiskFileReader files(folder_);
  EXPECT_GT(files.FileDate("screen.gif"), 0);
  EXPECT_EQ(files.ImageSize("screen.gif")->width, 32);
  EXPECT_EQ(files.FileDate("missing.gif"), 0);
  EXPECT_EQ(files.FileDate(""), 0) << "a record without a file is not its folder";
  EXPECT_EQ(files.ImageSize("missing.gif"), std::nullopt);
  EXPECT_EQ(DiskFileReader().ImageSize("screen.gif"), std::nullopt) << "not beside the program";
}

}  // namespace
}  // namespace vemora
